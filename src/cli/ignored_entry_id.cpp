#include "cli/ignored_entry_id.h"

#include "engine/finding_id.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

std::string IgnoredEntryId(const IgnoredEntry& entry) {
  return IdentityDigest(
      JoinIdentity(entry.scanType, {StrLower(entry.path), StrLower(entry.valueName)}));
}

}  // namespace ovalin::cli
