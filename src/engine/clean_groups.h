// The loop of a clean: findings are backed up and removed in groups, so that the data
// file is flushed once per group instead of once per finding. A group's records are
// written, the header is set to cover them and the file flushed, and only then are the
// group's entries removed, one by one, in list order. A crash at any moment therefore
// leaves every removed entry with a durable record; a record whose entry was not removed
// yet holds the entry's current data, and restoring it changes nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/reg_cleaner.h"
#include "platform/file_system.h"

namespace ovalin {

// What the loop did so far: whether each position of the index list was cleaned, and
// the scan-type bits of the cleaned findings.
struct CleanedFindings {
  std::vector<bool> cleaned;
  std::uint32_t scanTypes = 0;
};

// Cleans the findings that the distinct `indexes` name (an index outside the scanned
// list is skipped), appending their records to the open data file at its position,
// right after the header or the records of an earlier commit. Findings with the same
// identity (FindingIdentity) are backed up and removed once and share the first one's
// result. After each cleaned finding OnCleaning is raised with its percentage. Stop
// ends the loop before the next removal; the records of findings whose removal was not
// attempted are cut off again. `done` is kept up to date as the loop goes, so that it is
// right when an error escapes.
void CleanInGroups(TRCRegCleaner& cleaner, const std::vector<int>& indexes, int span,
                   int start, platform::File& file, CleanedFindings* done);

}  // namespace ovalin
