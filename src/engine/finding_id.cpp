#include "engine/finding_id.h"

#include <cstdint>
#include <cstdio>

#include "engine/text_utils.h"

namespace ovalin {

namespace {

constexpr char16_t kSeparator = u'\x1F';
constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

}  // namespace

std::u16string JoinIdentity(std::uint32_t number,
                            std::initializer_list<std::u16string_view> fields) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
  std::u16string identity = FromUtf8(digits);
  for (std::u16string_view field : fields) {
    identity += kSeparator;
    identity += field;
  }
  return identity;
}

std::string IdentityDigest(std::u16string_view identity) {
  std::uint64_t hash = kFnvOffsetBasis;
  for (const char byte : ToUtf8(identity)) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= kFnvPrime;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::u16string FindingIdentity(const TRCScannedItem& item) {
  return JoinIdentity(item.ScannedCode,
                      {StrLower(item.Path), StrLower(item.ValueName), item.Value});
}

std::string FindingId(const TRCScannedItem& item) {
  return IdentityDigest(FindingIdentity(item));
}

}  // namespace ovalin
