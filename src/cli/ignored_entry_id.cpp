#include "cli/ignored_entry_id.h"

#include <cstdint>
#include <cstdio>

#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

constexpr char16_t kSeparator = u'\x1F';
constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

}  // namespace

std::string IgnoredEntryId(const IgnoredEntry& entry) {
  char scanType[9];
  std::snprintf(scanType, sizeof scanType, "%08x", static_cast<unsigned>(entry.scanType));
  std::u16string identity = FromUtf8(scanType);
  identity += kSeparator;
  identity += StrLower(entry.path);
  identity += kSeparator;
  identity += StrLower(entry.valueName);
  std::uint64_t hash = kFnvOffsetBasis;
  for (const char byte : ToUtf8(identity)) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= kFnvPrime;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace ovalin::cli
