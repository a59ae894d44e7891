// Backup data files that the backup index does not list. A clean writes its section
// only after its last finding, so a clean that is killed, or whose index cannot be
// written, leaves a complete data file without a section. Such a file is still a backup
// the person must be able to find: the listing takes it in as a recovered set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/rescue_item.h"
#include "platform/platform.h"

namespace ovalin {

// The description a recovered set is listed with.
extern const char16_t kRecoveredDescription[];

// The number of complete records of a data file; false when the file cannot be opened
// or its header is not that of a data file.
bool CountBackupRecords(platform::FileSystem& files, std::u16string_view dataFile,
                        std::uint32_t* records);

// The section name a set is given from its data file's name: "2010-03-07 14-05-09.rss"
// gives "2010-03-07 14:05:09"; any other name its base name without ".rss".
std::u16string SectionNameOfBackupFile(std::u16string_view backupFile);

// Every ".rss" file in the folder that holds at least one record and whose name is not
// in knownFiles (compared without regard to case), as a recovered set: named by its
// file, counting its records, described as recovered. Each is recorded in the index
// under a section name not in sectionNames, so that it is restored, marked and deleted
// like any other set from then on; when the index cannot be written it is listed all
// the same.
std::vector<std::unique_ptr<TRCRescueItem>> RecoverUnlistedSets(
    platform::Platform& platform, const std::u16string& folder, const std::u16string& indexFile,
    const std::vector<std::u16string>& knownFiles, const std::vector<std::u16string>& sectionNames);

}  // namespace ovalin
