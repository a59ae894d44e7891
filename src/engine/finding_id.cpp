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

std::u16string FindingIdentity(const TRCScannedItem& item) {
  char code[9];
  std::snprintf(code, sizeof code, "%08x", static_cast<unsigned>(item.ScannedCode));
  std::u16string identity = FromUtf8(code);
  identity += kSeparator;
  identity += StrLower(item.Path);
  identity += kSeparator;
  identity += StrLower(item.ValueName);
  identity += kSeparator;
  identity += item.Value;
  return identity;
}

std::string FindingId(const TRCScannedItem& item) {
  std::uint64_t hash = kFnvOffsetBasis;
  for (const char byte : ToUtf8(FindingIdentity(item))) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= kFnvPrime;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace ovalin
