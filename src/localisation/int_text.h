// Integers written in settings files and language packs: optional leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after "0x", "0X" or "$".
// Nothing may follow the digits. Hexadecimal values may use the full unsigned range
// of the type and are read as its two's complement; decimal values must fit the type.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ovalin {

std::optional<std::int32_t> ParseInt32(std::u16string_view text);
std::optional<std::int64_t> ParseInt64(std::u16string_view text);

}  // namespace ovalin
