// The formatter for texts that come from language packs. It understands the
// placeholders "%s" (text), "%d" (signed decimal), "%u" (unsigned decimal), "%x"/"%X"
// (upper-case hexadecimal) and "%f" (fixed-point), each optionally with a "-" (left
// justify), a width and a "." precision, as in "%0.2f" or "%-10s", and "%%" for a
// percent sign. Type letters are matched without regard to case. Every placeholder is
// checked against its argument: a kind that does not fit, a missing argument, an
// unknown or unsupported form ("%n", "%p", "%1:s", "%*d"), or a width or precision
// above kMaxFormatWidth makes the whole result nothing. Extra arguments are ignored.
// The format text never reaches the C library's printf family.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin {

constexpr int kMaxFormatWidth = 1024;

struct FormatArg {
  // kUnresolved fits no placeholder (a reference to an empty string variable).
  enum class Kind { kInt32, kInt64, kText, kFloat, kUnresolved };
  Kind kind = Kind::kInt32;
  std::int64_t integer = 0;
  std::u16string text;
  long double number = 0;

  static FormatArg Int(std::int32_t value) { return {Kind::kInt32, value, {}, 0}; }
  static FormatArg Int64(std::int64_t value) { return {Kind::kInt64, value, {}, 0}; }
  static FormatArg Text(std::u16string value) { return {Kind::kText, 0, std::move(value), 0}; }
  static FormatArg Float(long double value) { return {Kind::kFloat, 0, {}, value}; }
  static FormatArg Unresolved() { return {Kind::kUnresolved, 0, {}, 0}; }
};

// The formatted text, or nothing when a placeholder does not fit (see above).
// decimalSeparator replaces the "." of "%f".
std::optional<std::u16string> FormatChecked(std::u16string_view format,
                                            const std::vector<FormatArg>& args,
                                            char16_t decimalSeparator = u'.');

}  // namespace ovalin
