#include "localisation/checked_format.h"

#include <cmath>
#include <cstdio>

namespace ovalin {
namespace {

struct Placeholder {
  bool leftJustify = false;
  int width = -1;
  int precision = -1;
  char16_t type = 0;  // lower case
};

// Reads a run of decimal digits at pos; false when it exceeds kMaxFormatWidth.
bool ReadNumber(std::u16string_view format, std::size_t* pos, int* number) {
  int value = 0;
  while (*pos < format.size() && format[*pos] >= u'0' && format[*pos] <= u'9') {
    value = value * 10 + (format[*pos] - u'0');
    if (value > kMaxFormatWidth) return false;
    ++*pos;
  }
  *number = value;
  return true;
}

// Parses the placeholder after the "%" at pos; pos ends after the type letter.
std::optional<Placeholder> ParsePlaceholder(std::u16string_view format, std::size_t* pos) {
  Placeholder p;
  if (*pos < format.size() && format[*pos] == u'-') {
    p.leftJustify = true;
    ++*pos;
  }
  if (*pos < format.size() && format[*pos] >= u'0' && format[*pos] <= u'9') {
    if (!ReadNumber(format, pos, &p.width)) return std::nullopt;
  }
  if (*pos < format.size() && format[*pos] == u'.') {
    ++*pos;
    if (!ReadNumber(format, pos, &p.precision)) return std::nullopt;
  }
  if (*pos >= format.size()) return std::nullopt;
  char16_t type = format[*pos];
  if (type >= u'A' && type <= u'Z') type = static_cast<char16_t>(type - u'A' + u'a');
  switch (type) {
    case u'd': case u'u': case u'x': case u's': case u'f':
      p.type = type;
      ++*pos;
      return p;
    default:
      return std::nullopt;
  }
}

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::u16string Digits(std::uint64_t value, unsigned base) {
  if (value == 0) return u"0";
  std::u16string digits;
  while (value != 0) {
    digits.insert(digits.begin(), u"0123456789ABCDEF"[value % base]);
    value /= base;
  }
  return digits;
}

std::optional<std::u16string> FormatInteger(const Placeholder& p, const FormatArg& arg) {
  if (arg.kind != FormatArg::Kind::kInt32 && arg.kind != FormatArg::Kind::kInt64) {
    return std::nullopt;
  }
  const bool wide = arg.kind == FormatArg::Kind::kInt64;
  bool negative = false;
  std::uint64_t magnitude = 0;
  if (p.type == u'd') {
    negative = arg.integer < 0;
    magnitude = negative ? 0ULL - static_cast<std::uint64_t>(arg.integer)
                         : static_cast<std::uint64_t>(arg.integer);
  } else {
    magnitude = wide ? static_cast<std::uint64_t>(arg.integer)
                     : static_cast<std::uint32_t>(arg.integer);
  }
  std::u16string digits = Digits(magnitude, p.type == u'x' ? 16 : 10);
  if (p.precision > 0 && digits.size() < static_cast<std::size_t>(p.precision)) {
    digits.insert(0, static_cast<std::size_t>(p.precision) - digits.size(), u'0');
  }
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

std::optional<std::u16string> FormatFloat(const Placeholder& p, const FormatArg& arg,
                                          char16_t decimalSeparator) {
  if (arg.kind != FormatArg::Kind::kFloat) return std::nullopt;
  const double value = static_cast<double>(arg.number);
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  const int precision = p.precision < 0 ? 2 : p.precision;
  // Only this fixed format reaches snprintf; the precision is bounded above.
  const int length = std::snprintf(nullptr, 0, "%.*f", precision, value);
  if (length < 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", precision, value);
  text.resize(static_cast<std::size_t>(length));
  std::u16string result = Ascii(text);
  for (char16_t& c : result) {
    if (c == u'.') c = decimalSeparator;
  }
  return result;
}

std::optional<std::u16string> FormatOne(const Placeholder& p, const FormatArg& arg,
                                        char16_t decimalSeparator) {
  switch (p.type) {
    case u's':
      if (arg.kind != FormatArg::Kind::kText) return std::nullopt;
      if (p.precision >= 0 && arg.text.size() > static_cast<std::size_t>(p.precision)) {
        return arg.text.substr(0, static_cast<std::size_t>(p.precision));
      }
      return arg.text;
    case u'f':
      return FormatFloat(p, arg, decimalSeparator);
    default:
      return FormatInteger(p, arg);
  }
}

}  // namespace

std::optional<std::u16string> FormatChecked(std::u16string_view format,
                                            const std::vector<FormatArg>& args,
                                            char16_t decimalSeparator) {
  std::u16string result;
  std::size_t nextArg = 0;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const std::size_t percent = format.find(u'%', pos);
    if (percent == std::u16string_view::npos) {
      result.append(format.substr(pos));
      break;
    }
    result.append(format.substr(pos, percent - pos));
    pos = percent + 1;
    if (pos < format.size() && format[pos] == u'%') {
      result.push_back(u'%');
      ++pos;
      continue;
    }
    const auto placeholder = ParsePlaceholder(format, &pos);
    if (!placeholder || nextArg >= args.size()) return std::nullopt;
    auto text = FormatOne(*placeholder, args[nextArg++], decimalSeparator);
    if (!text) return std::nullopt;
    if (placeholder->width > 0 && text->size() < static_cast<std::size_t>(placeholder->width)) {
      const std::size_t padding = static_cast<std::size_t>(placeholder->width) - text->size();
      if (placeholder->leftJustify) {
        text->append(padding, u' ');
      } else {
        text->insert(0, padding, u' ');
      }
    }
    result.append(*text);
  }
  return result;
}

}  // namespace ovalin
