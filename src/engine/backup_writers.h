// The three backup writers of the clean, the per-finding step around them, and the
// commit that makes a group of findings' records durable before their entries go.
#pragma once

#include <cstdint>
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

// Writes a finding's records at the file's position with the writer of its mark type
// (false for a mark type that has none). On failure the file is cut back to where it
// was. The header is not touched: the records count only once CommitRecords covers them.
bool BackupFinding(platform::Registry& registry, const TRCScannedItem& finding,
                   platform::File& file);

// Makes every record up to the file's position durable: the header's data length is set
// to cover them and the file is flushed to disk; the position stays at the end. On
// failure the file is cut back to `committed` (the end of the records of the previous
// commit), whose header is written again, and false is reported.
bool CommitRecords(platform::File& file, std::uint64_t committed);

// Cuts records written after `position` off the end of the file and sets the header to
// cover the rest, flushed (records whose entries were never removed are not kept).
bool CutBackRecords(platform::File& file, std::uint64_t position);

// Writes "REGB" and a data length of 0 at the start of an empty file.
bool WriteBackupHeader(platform::File& file);

}  // namespace ovalin
