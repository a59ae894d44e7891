#include "localisation/int_text.h"

namespace ovalin {
namespace {

int DigitValue(char16_t c, int base) {
  int value = -1;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  else if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < base ? value : -1;
}

struct ParsedBits {
  std::uint64_t magnitude = 0;
  bool negative = false;
  bool hex = false;
};

// Reads sign, prefix and digits; the magnitude may not exceed limit (2^(bits-1) for
// decimal, 2^bits - 1 for hexadecimal).
std::optional<ParsedBits> ParseBits(std::u16string_view text, std::uint64_t decimalLimit,
                                    std::uint64_t hexLimit) {
  ParsedBits parsed;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    parsed.negative = text[i] == u'-';
    ++i;
  }
  if (i < text.size() && text[i] == u'$') {
    parsed.hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == u'0' &&
             (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    parsed.hex = true;
    i += 2;
  }
  const std::uint64_t base = parsed.hex ? 16 : 10;
  const std::uint64_t limit = parsed.hex ? hexLimit : decimalLimit;
  if (i >= text.size()) return std::nullopt;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], static_cast<int>(base));
    if (digit < 0) return std::nullopt;
    const auto d = static_cast<std::uint64_t>(digit);
    if (parsed.magnitude > (limit - d) / base) return std::nullopt;
    parsed.magnitude = parsed.magnitude * base + d;
  }
  return parsed;
}

// Applies the sign in the unsigned type of the given width and checks the decimal range.
template <typename Signed, typename Unsigned>
std::optional<Signed> ToSigned(const std::optional<ParsedBits>& parsed) {
  if (!parsed) return std::nullopt;
  constexpr auto kMaxPositive = static_cast<std::uint64_t>(static_cast<Unsigned>(~Unsigned{0}) >> 1);
  if (!parsed->hex && !parsed->negative && parsed->magnitude > kMaxPositive) return std::nullopt;
  auto value = static_cast<Unsigned>(parsed->magnitude);
  if (parsed->negative) value = static_cast<Unsigned>(Unsigned{0} - value);
  return static_cast<Signed>(value);
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::u16string_view text) {
  return ToSigned<std::int32_t, std::uint32_t>(ParseBits(text, 0x80000000ULL, 0xFFFFFFFFULL));
}

std::optional<std::int64_t> ParseInt64(std::u16string_view text) {
  return ToSigned<std::int64_t, std::uint64_t>(
      ParseBits(text, 0x8000000000000000ULL, 0xFFFFFFFFFFFFFFFFULL));
}

}  // namespace ovalin
