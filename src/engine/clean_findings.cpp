#include "engine/clean_findings.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <set>
#include <utility>

#include "engine/backup_writers.h"
#include "engine/clean_groups.h"
#include "engine/clean_removal.h"
#include "engine/rescue_names.h"
#include "engine/text_utils.h"

namespace ovalin {

namespace {

constexpr platform::FileTime kTicksPerSecond = 10'000'000;
// How far a clean moves on to find a second that no other set uses.
constexpr int kMaxSecondsAhead = 24 * 60 * 60;

bool SectionExists(const std::vector<std::u16string>& sections, std::u16string_view name) {
  return std::any_of(sections.begin(), sections.end(),
                     [&](const std::u16string& s) { return StrSameText(s, name); });
}

// Names the new set by the current local time. When a set of that second exists already
// (its data file or its section), the next free second is taken for both names, so that
// two cleans in one second never share a file or a section.
bool NameNewSet(TRCRegCleaner& cleaner, TRCRescueItem* item) {
  platform::Platform& p = cleaner.Platform();
  const platform::FileTime utc = p.clock.NowUtc();
  platform::FileTime local = utc;
  if (!p.clock.UtcToLocal(utc, &local)) local = utc;
  local -= local % kTicksPerSecond;
  const std::vector<std::u16string> sections = p.profiles.SectionNames(cleaner.RescueListFile());
  for (int ahead = 0; ahead <= kMaxSecondsAhead; ++ahead, local += kTicksPerSecond) {
    platform::CalendarTime time;
    if (!platform::FileTimeToCalendar(local, &time)) return false;
    item->SectionName = FormatSectionName(time);
    item->BackupFile = FormatBackupFileName(time);
    if (!SectionExists(sections, item->SectionName) &&
        p.files.Probe(cleaner.RescueDir() + item->BackupFile) == platform::PathKind::kMissing) {
      return true;
    }
  }
  return false;
}

// True only when every key of the set's section was written.
bool WriteIndexSection(TRCRegCleaner& cleaner, const TRCRescueItem& item) {
  platform::ProfileFiles& profiles = cleaner.Platform().profiles;
  const std::u16string& file = cleaner.RescueListFile();
  const std::u16string& section = item.SectionName;
  const std::pair<std::u16string_view, std::u16string> keys[] = {
      {u"DetailCount", FromUtf8(std::to_string(item.DetailCount))},
      {u"IsRescued", u"False"},
      {u"Description", IndexSafeText(item.Description)},
      {u"BackupFile", item.BackupFile},
      {u"HasBeenDeleted", u"False"},
  };
  bool written = true;
  for (const auto& [key, value] : keys) {
    written = profiles.WriteString(file, section, key, value) && written;
  }
  return written;
}

// The indexes of the list without repetitions, in the order of their first occurrence.
std::vector<int> DistinctIndexes(const std::vector<int>& indexes) {
  std::vector<int> distinct;
  std::set<int> seen;
  for (int index : indexes) {
    if (seen.insert(index).second) distinct.push_back(index);
  }
  return distinct;
}

}  // namespace

int CleaningPercent(int start, int span, std::size_t i, std::size_t count) {
  const long long percent =
      start + static_cast<long long>(span) * static_cast<long long>(i + 1) /
                  static_cast<long long>(count);
  return static_cast<int>(std::min<long long>(percent, 99));
}

std::u16string IndexSafeText(std::u16string_view text) {
  std::u16string result(text);
  for (char16_t& c : result) {
    if (c < 0x20 || c == 0x7F) c = u' ';
  }
  return result;
}

bool CleanFindings(TRCRegCleaner& cleaner, const std::vector<int>& requested,
                   const std::u16string& description, int span, int start,
                   std::vector<int>* failIndexes) {
  cleaner.SetUnrecordedBackupFile({});
  // Each finding is backed up and removed once, however often the list names it. A
  // second backup would record what the first removal left (a blanked value, or no
  // value at all), and the restore, which replays records in order, would put that back
  // instead of the original. Two findings with the same identity are one entry of the
  // registry in the same way: the second shares the first one's result.
  const std::vector<int> indexes = DistinctIndexes(requested);
  std::vector<int> ownFailList;
  std::vector<int>& failed = failIndexes != nullptr ? *failIndexes : ownFailList;
  failed = indexes;
  if (indexes.empty()) return false;

  platform::Platform& p = cleaner.Platform();
  if (p.files.Probe(cleaner.RescueListFile()) != platform::PathKind::kFile &&
      !p.files.CreateFolders(cleaner.RescueDir())) {
    return false;
  }

  TRCRescueItem item;
  item.Description = description;
  item.DetailCount = static_cast<std::uint32_t>(indexes.size());
  if (!NameNewSet(cleaner, &item)) return false;
  const std::u16string dataFile = cleaner.RescueDir() + item.BackupFile;

  bool completed = false;
  CleanedFindings done;
  done.cleaned.assign(indexes.size(), false);
  std::unique_ptr<platform::File> file =
      p.files.Open(dataFile, platform::FileOpenMode::kCreateAlways);
  if (file && WriteBackupHeader(*file)) {
    try {
      CleanInGroups(cleaner, indexes, span, start, *file, &done);
      for (const auto& entry : cleaner.ScannedItems_SecondClean()) {
        if ((ScanTypeOf(entry->ScannedCode) & done.scanTypes) != 0) {
          DeleteKeyIfEmpty(p.registry, *entry);
        }
      }
      completed = true;
    } catch (const std::exception&) {
      // The set is still recorded below for the findings already cleaned.
    }
  }
  file.reset();

  failed.clear();
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    if (!done.cleaned[i]) failed.push_back(indexes[i]);
  }
  if (failed.size() == indexes.size()) {
    p.files.DeleteFile(dataFile);
    return false;
  }
  // Without its section the set is still found (a listing recovers data files that have
  // none), but the caller must tell the person that the index could not be written.
  if (!WriteIndexSection(cleaner, item)) cleaner.SetUnrecordedBackupFile(dataFile);
  if (completed) {
    auto& items = cleaner.MutableScannedItems();
    for (std::size_t i = 0; i < indexes.size(); ++i) {
      if (done.cleaned[i]) items[static_cast<std::size_t>(indexes[i])]->Deleted = true;
    }
  }
  return true;
}

bool TRCRegCleaner::Clean(const std::vector<int>& indexes, std::vector<int>* failIndexes,
                          const std::u16string& description) {
  if (Status() != kStatusIdle) return false;
  SetStatus(kStatusCleaning);
  ClearForceBroken();
  SetUnrecordedBackupFile({});
  if (OnBeginClean) OnBeginClean(*this);
  if (indexes.empty()) {
    if (failIndexes != nullptr) failIndexes->clear();
    SetStatus(kStatusIdle);
    return true;
  }
  try {
    CleanFindings(*this, indexes, description, 50, 50, failIndexes);
  } catch (...) {
    // The clean reports what it did through the fail list; nothing escapes to the caller.
  }
  SetStatus(kStatusIdle);
  if (OnEndClean) OnEndClean(*this);
  return true;
}

bool TRCRegCleaner::CleanAll(std::vector<int>* failIndexes, const std::u16string& description) {
  std::vector<int> indexes(static_cast<std::size_t>(ScannedItemsCount()));
  for (std::size_t i = 0; i < indexes.size(); ++i) indexes[i] = static_cast<int>(i);
  return Clean(indexes, failIndexes, description);
}

}  // namespace ovalin
