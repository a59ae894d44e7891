// Writes a backup data file back into the registry.
#pragma once

#include <string>

#include "engine/reg_cleaner.h"

namespace ovalin {

// The reader behind TRCRegCleaner::RestoreRescue. True when every record was read and
// put back. A record that cannot be put back (unknown root, key that cannot be created)
// is passed over and the restore goes on, but the result is false and the set is not
// marked restored. A malformed record or a value that cannot be written ends the
// restore with false; what came before stays restored. A record is checked whole before
// anything of it is written.
bool RestoreBackupFile(TRCRegCleaner& cleaner, const std::u16string& fileName);

// Writes a value with exactly the given type and bytes. The registry looks one character
// past the data of a string value and counts a terminating NUL that the size left out;
// the data is therefore handed over with two non-zero bytes after it, so that a string
// stored without its terminator comes back without it, and nothing past the caller's
// buffer is read.
bool WriteValueExactly(platform::Registry& registry, platform::RegKey key,
                       std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t size);

}  // namespace ovalin
