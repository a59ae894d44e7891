// The identity of a finding: what it claims is broken, independent of where it stands in
// a list. Two scans that find the same broken entry give it the same id, so a choice
// made on one scan's list can be applied to a later scan without trusting positions.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/scanned_item.h"

namespace ovalin {

// The pieces every id is made of: number as eight lower-case hexadecimal digits, then
// each field after a U+001F (unit separator).
std::u16string JoinIdentity(std::uint32_t number,
                            std::initializer_list<std::u16string_view> fields);
// FNV-1a (64 bit) over the UTF-8 bytes of identity, as 16 lower-case hexadecimal digits.
// Stable across runs, builds and machines.
std::string IdentityDigest(std::u16string_view identity);

// The text the id is made from: the finding code as eight lower-case hexadecimal
// digits, the key path, the value name and the value, joined by U+001F (unit
// separator). Key path and value name are folded to lower case (ASCII letters), as
// Windows compares registry names without regard to case; the value is taken as it is.
std::u16string FindingIdentity(const TRCScannedItem& item);

// FNV-1a (64 bit) over the UTF-8 bytes of FindingIdentity, as 16 lower-case hexadecimal
// digits. Stable across runs, builds and machines.
std::string FindingId(const TRCScannedItem& item);

}  // namespace ovalin
