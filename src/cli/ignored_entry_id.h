// The id of an entry of the ignore list, so that scripts name an entry to take off the
// list the way they name findings.
#pragma once

#include <string>

#include "engine/ignore_list.h"

namespace ovalin::cli {

// 16 lower-case hexadecimal digits: FNV-1a (64 bit) over the UTF-8 of the scan type as
// eight lower-case hexadecimal digits, the key path and the value name, joined by
// U+001F; path and value name are folded to lower case, as the list compares them
// without regard to case. The same entry has the same id on every machine.
std::string IgnoredEntryId(const IgnoredEntry& entry);

}  // namespace ovalin::cli
