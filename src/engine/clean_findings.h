// The clean procedure behind TRCRegCleaner::Clean: backs each chosen finding up into a
// new data file, removes it by its mark type, runs the second pass and records the set
// in the backup index.
#pragma once

#include <string>
#include <vector>

#include "engine/reg_cleaner.h"

namespace ovalin {

// failIndexes receives the indexes that were not cleaned: the list's indexes, each once,
// to begin with. A finding is backed up and removed once however often the list names
// it, and findings with the same identity (FindingIdentity) share the first one's
// result. True when a backup set was written, that is when at least one finding was
// cleaned; when its section could not be written to the index, the cleaner's
// UnrecordedBackupFile names its data file.
bool CleanFindings(TRCRegCleaner& cleaner, const std::vector<int>& indexes,
                   const std::u16string& description, int span, int start,
                   std::vector<int>* failIndexes);

// The OnCleaning percentage after position i of count: start + span * (i + 1) / count,
// rounded down, at most 99.
int CleaningPercent(int start, int span, std::size_t i, std::size_t count);

// The description as it goes into the index: line breaks and other control characters
// become blanks, so that no text can end its line and add keys or sections.
std::u16string IndexSafeText(std::u16string_view text);

}  // namespace ovalin
