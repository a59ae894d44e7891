// The four removal operations of the clean. Each reports true when the finding counts
// as removed and lets no error escape.
#pragma once

#include "engine/reg_access.h"
#include "engine/scanned_item.h"

namespace ovalin {

// deleteValue true: removes the value; false: empties a string, expand-string or integer
// value and leaves other classes as they are. A value that does not exist counts as
// removed; an existing one is removed (or blanked) whatever its size.
bool CleanValue(platform::Registry& registry, const TRCScannedItem& finding, bool deleteValue);
// Removes the key with everything below it; true only when the key is gone.
bool DeleteKeyTree(platform::Registry& registry, const TRCScannedItem& finding);
// Removes the key only when it has no subkeys and no values.
bool DeleteKeyIfEmpty(platform::Registry& registry, const TRCScannedItem& finding);
// Fallback of DeleteKeyTree: removes the subkeys of the key name below the parent's open
// key one by one (never the key itself). The last result; false when the key has no
// subkeys or cannot be opened.
bool DeleteSubKeys(RegAccess& parent, std::u16string_view keyName);

// Splits a subkey path (one trailing backslash removed) into the parent path, up to and
// including the last backslash, and the key's own name. Only a backslash separates keys:
// a colon is an ordinary character of a key name.
void SplitParentAndName(std::u16string_view subKey, std::u16string* parent, std::u16string* name);

}  // namespace ovalin
