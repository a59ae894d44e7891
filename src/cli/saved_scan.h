// A `scan --json` document saved by a script, from which a person chose findings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovalin::cli {

struct SavedScan {
  std::uint32_t scanTypes = 0;   // the document's "scanTypes"
  std::vector<std::string> ids;  // the chosen findings' ids, each once
};

// Reads the document from a file of this machine. The chosen findings are, when indexes
// is not empty, those whose "index" is listed; otherwise those marked "selected": true,
// or every finding when none carries a "selected" member. Throws UsageError for a file
// that cannot be read, is not a scan document, a listed index the document does not
// have, or a choice that selects nothing.
SavedScan ReadSavedScan(const std::string& path, const std::vector<int>& indexes);

}  // namespace ovalin::cli
