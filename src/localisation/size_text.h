// The size text of a byte count as the restore window's list shows it: "<n> bytes"
// below 1 KB, otherwise the value in KB, MB or GB with two decimals.
#pragma once

#include <cstdint>
#include <string>

namespace ovalin {

std::u16string SizeToText(std::uint32_t bytes, char16_t decimalSeparator = u'.');

}  // namespace ovalin
