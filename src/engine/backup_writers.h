// The three backup writers of the clean and the per-finding step around them that keeps
// the data file consistent on disk after every finding.
#pragma once

#include <string_view>

#include "engine/scanned_item.h"
#include "platform/file_system.h"
#include "platform/registry.h"

namespace ovalin {

// One record for the finding's value: the value with its raw type and data (also when
// the data is empty), or, when the value does not exist, a record of its key with no
// values, so that a restore does not invent a value that was never there.
bool BackupValue(platform::Registry& registry, const TRCScannedItem& finding,
                 platform::File& file);
// The key's record with all its values, then every subkey's tree, depth first.
bool BackupKeyTree(platform::Registry& registry, std::u16string_view path, platform::File& file);
// One record of the key with no values.
bool BackupKeyMarker(platform::Registry& registry, const TRCScannedItem& finding,
                     platform::File& file);

// Backs a finding up with the writer of its mark type (false for a mark type that has
// none). On success the header's data length covers the new records and the file is
// flushed; on failure the file is cut back to where it was.
bool BackupFinding(platform::Registry& registry, const TRCScannedItem& finding,
                   platform::File& file);

// Writes "REGB" and a data length of 0 at the start of an empty file.
bool WriteBackupHeader(platform::File& file);

}  // namespace ovalin
