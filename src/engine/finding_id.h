// The identity of a finding: what it claims is broken, independent of where it stands in
// a list. Two scans that find the same broken entry give it the same id, so a choice
// made on one scan's list can be applied to a later scan without trusting positions.
#pragma once

#include <string>

#include "engine/scanned_item.h"

namespace ovalin {

// The text the id is made from: the finding code as eight lower-case hexadecimal
// digits, the key path, the value name and the value, joined by U+001F (unit
// separator). Key path and value name are folded to lower case (ASCII letters), as
// Windows compares registry names without regard to case; the value is taken as it is.
std::u16string FindingIdentity(const TRCScannedItem& item);

// FNV-1a (64 bit) over the UTF-8 bytes of FindingIdentity, as 16 lower-case hexadecimal
// digits. Stable across runs, builds and machines.
std::string FindingId(const TRCScannedItem& item);

}  // namespace ovalin
