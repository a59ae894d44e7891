// Decimal text of integers for settings files.
#pragma once

#include <cstdint>
#include <string>

namespace ovalin {

inline std::u16string DecimalText(std::int64_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

}  // namespace ovalin
