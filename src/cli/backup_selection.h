// What the backup verbs share: reading their options, finding the set or data file the
// person named, and ending a run.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/session.h"
#include "engine/reg_cleaner.h"

namespace ovalin::cli {

// Reads the verb's own options and the shared ones; the verb's options are taken by
// `own`, which returns false for an argument it does not know.
template <typename Own>
CommonOptions ReadOptions(const std::vector<std::string>& arguments, Own own) {
  CommonOptions options;
  ArgumentReader reader(arguments);
  while (!reader.Done()) {
    if (own(reader)) continue;
    if (!ReadCommonOption(reader, options)) throw UsageError{"unknown option " + reader.Peek()};
  }
  return options;
}

// The listed set of that section name (without regard to case), or nullptr.
TRCRescueItem* FindSet(TRCRegCleaner& cleaner, std::u16string_view section);

// The data file named by --section (a listed set) or --file (a path, made absolute; when
// it is a listed set's file, that set's own spelling of it, so that the set is the one
// marked restored). Throws UsageError when the set or the file does not exist. Needs a
// fresh UpdateRescueList.
std::u16string ChosenDataFile(Session& session, const std::string& section,
                              const std::string& file);

}  // namespace ovalin::cli
