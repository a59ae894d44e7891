// The entries a person chose to keep out of the findings for good, stored in a file of
// their own in the program's data folder ("Ignored.ini"). A scan still judges an ignored
// entry; when it is broken, the cleaner counts it instead of reporting it.
//
// Ignored.ini holds one section per entry ("Entry1", "Entry2", ...) with the keys
// ScanType (decimal), Path (the full key path) and ValueName. Path and value name are
// written between two "|" characters, so that blanks and quotes at their ends survive
// the profile functions, which strip them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace ovalin {

struct IgnoredEntry {
  std::uint32_t scanType = 0;
  std::u16string path;       // full key path, as findings give it
  std::u16string valueName;  // empty for the key itself or its default value

  // Registry names are compared without regard to case.
  bool Matches(std::uint32_t otherScanType, std::u16string_view otherPath,
               std::u16string_view otherValueName) const;
};

class IgnoreList {
 public:
  explicit IgnoreList(platform::ProfileFiles& profiles) : profiles_(profiles) {}

  // Reads the file; a missing file is an empty list, unreadable sections are skipped.
  void Load(const std::u16string& file);
  // Writes the whole list to the file it was loaded from; false when that failed.
  bool Save();

  bool Contains(std::uint32_t scanType, std::u16string_view path,
                std::u16string_view valueName) const;
  // False when the entry is there already or cannot be stored (a line break in a name).
  bool Add(IgnoredEntry entry);
  bool Remove(const IgnoredEntry& entry);
  void Clear() { entries_.clear(); }
  const std::vector<IgnoredEntry>& Entries() const { return entries_; }
  const std::u16string& File() const { return file_; }

 private:
  platform::ProfileFiles& profiles_;
  std::u16string file_;
  std::vector<IgnoredEntry> entries_;
};

}  // namespace ovalin
