// History list: the open and save dialogs' recent folders and files. Windows before
// Vista kept them as text (LastVisitedMRU, OpenSaveMRU); Vista and later keep shell item
// ID lists (LastVisitedPidlMRU, LastVisitedPidlMRULegacy, OpenSavePidlMRU), which are
// judged when they name a plain file-system path.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"
#include "rules/shell_item_ids.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kComDlgKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\";

// The UTF-16LE text starting at byte offset, up to a NUL character or the end of the
// data; *end receives the offset just after the NUL (or size when there is none).
std::u16string Utf16TextAt(const std::uint8_t* data, std::size_t size, std::size_t offset,
                           std::size_t* end) {
  std::u16string text;
  std::size_t at = offset;
  while (at + 1 < size) {
    const char16_t c = static_cast<char16_t>(data[at] | (data[at + 1] << 8));
    at += 2;
    if (c == 0) {
      *end = at;
      return text;
    }
    text.push_back(c);
  }
  *end = size;
  return text;
}

bool IsMruListName(std::u16string_view name) {
  return name.empty() || StrSameText(name, u"MRUList");
}

// Reads value name of key as raw data into buffer; nullopt for a value of text or number
// class, or one that has outgrown the buffer since the key was measured.
std::optional<std::uint32_t> ReadRawValue(RegAccess& key, const std::u16string& name,
                                          std::vector<std::uint8_t>& buffer) {
  try {
    return key.ReadBinaryData(name, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
  } catch (const RegistryError&) {
    return std::nullopt;
  }
}

// Walks the binary values of HKEY_CURRENT_USER\...\ComDlg32\<keyName> that are entries
// (isOrdering names the values that only order them): onEntry(key path, value name, data,
// size, percent) for each. Text and numbers are not entries of these lists.
template <typename OnEntry>
void ForEachEntryValue(TRCRegCleaner& cleaner, std::u16string_view keyName,
                       bool (*isOrdering)(std::u16string_view), int start, int span,
                       OnEntry onEntry) {
  RegAccess key(cleaner.Platform().registry);
  RegKeyInfo info;
  const std::u16string subKey = std::u16string(kComDlgKey) + std::u16string(keyName);
  if (!OpenRootKey(key, platform::kCurrentUser, subKey) || !key.GetKeyInfo(&info)) return;
  const std::u16string path = u"HKEY_CURRENT_USER\\" + subKey;
  const std::vector<std::u16string> names = key.GetValueNames();
  std::vector<std::uint8_t> buffer(std::max<std::uint32_t>(info.maxDataLen, 1));
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = names[i];
    if (isOrdering(name)) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::optional<std::uint32_t> read = ReadRawValue(key, name, buffer);
    if (!read) continue;
    onEntry(path, name, buffer.data(), *read, percent);
  }
}

void ScanLastVisitedMRU(TRCRegCleaner& cleaner, int start, int span) {
  ForEachEntryValue(
      cleaner, u"LastVisitedMRU", &IsMruListName, start, span,
      [&cleaner](const std::u16string& path, const std::u16string& name,
                 const std::uint8_t* data, std::uint32_t size, int percent) {
        const LastVisitedEntry entry = ParseLastVisitedEntry(data, size);
        auto item = MakeRecord(stHistoryList, entry.program, path, name, entry.folder);
        if (entry.folder.empty()) {
          item->ScannedCode = stHistoryList | mtDeleteValue | ecNullHistoryList;
          item->Reason = {ReasonKind::kEmptyValue, {}};
        } else if (PathIsMissing(cleaner.Paths(), entry.folder, RegView::kNative)) {
          item->ScannedCode = stHistoryList | mtDeleteValue | ecInvalidHistoryList;
          item->Reason = {ReasonKind::kFolderNotFound, entry.folder};
        }
        cleaner.AddFinding(std::move(item), percent);
      });
}

void ScanOpenSaveMRU(TRCRegCleaner& cleaner, int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess root(registry);
  if (!OpenRootKey(root, platform::kCurrentUser, std::u16string(kComDlgKey) + u"OpenSaveMRU")) {
    return;
  }
  const std::u16string rootPath =
      u"HKEY_CURRENT_USER\\" + std::u16string(kComDlgKey) + u"OpenSaveMRU\\";
  const std::vector<std::u16string> extensions = root.GetKeyNames();
  const long long n = static_cast<long long>(extensions.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& extension = extensions[i];
    RegAccess key(registry);
    if (!OpenSubKey(key, root, extension)) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    for (const std::u16string& name : key.GetValueNames()) {
      if (IsMruListName(name)) continue;
      std::u16string text;
      try {
        if (!ReadIfString(key, name, &text)) continue;
        text = cleaner.Paths().Expand(text, RegView::kNative);
      } catch (const RegistryError&) {
        continue;  // a value that cannot be read is skipped
      }
      auto item = MakeRecord(stHistoryList, extension, rootPath + extension, name, text);
      if (text.empty()) {
        item->ScannedCode = stHistoryList | mtDeleteValue | ecNullHistoryList;
        item->Reason = {ReasonKind::kEmptyValue, {}};
      } else if (ProvedNotFile(cleaner.Paths(), text, RegView::kNative)) {
        item->ScannedCode = stHistoryList | mtDeleteValue | ecInvalidHistoryList;
        item->Reason = {ReasonKind::kFileNotFound, text};
      }
      cleaner.AddFinding(std::move(item), percent);
    }
  }
}

// The ordering values of the ID-list keys (MRUListEx) are not entries.
bool IsPidlOrderingName(std::u16string_view name) {
  return IsMruListName(name) || StrSameText(name, u"MRUListEx");
}

// The one question the rule asks about a path decoded from an ID list (an exact drive
// path, not a command line). Windows' plain file test cannot answer for a path of
// MAX_PATH characters or more; drives that are not fixed or not there say nothing about
// the entry (the judge answers "cannot tell" for them).
bool DecodedPathIsMissing(PathJudge& judge, std::u16string_view path) {
  constexpr std::size_t kMaxPath = 260;
  if (path.size() >= kMaxPath) return false;
  return judge.Examine(path, RegView::kNative) == platform::PathState::kAbsent;
}

// Judges the ID list list[0, size): the finding code (0 when the entry passes) and, in
// *path, the path it names when it is a plain file-system path. Data too short to hold
// even the list's terminator is a null entry; a list whose path is gone is invalid; a
// list that names anything else, or whose target cannot be told, passes.
std::uint32_t JudgeIdList(PathJudge& judge, const std::uint8_t* list,
                          std::size_t size, std::u16string* path) {
  if (size < 2) return ecNullHistoryList;
  std::optional<std::u16string> decoded = FileSystemPathOfIdList(list, size);
  if (!decoded) return 0;
  *path = std::move(*decoded);
  if (!DecodedPathIsMissing(judge, *path)) return 0;
  return ecInvalidHistoryList;
}

// The record of an ID-list entry: its code for a finding code (0: the entry passes) and
// the reason, given the path the list names.
std::unique_ptr<TRCScannedItem> HistoryRecord(std::uint32_t finding, std::u16string_view title,
                                              std::u16string_view path,
                                              std::u16string_view valueName,
                                              std::u16string_view target) {
  const std::uint32_t code =
      finding == 0 ? stHistoryList : (stHistoryList | mtDeleteValue | finding);
  const ReasonKind reason =
      finding == ecNullHistoryList ? ReasonKind::kEmptyValue : ReasonKind::kFileNotFound;
  return WithReason(MakeRecord(code, title, path, valueName, target), reason,
                    reason == ReasonKind::kEmptyValue ? std::u16string_view() : target);
}

// LastVisitedPidlMRU and LastVisitedPidlMRULegacy: per value, a program name and the ID
// list of the folder its dialog last visited.
void ScanLastVisitedPidlMRU(TRCRegCleaner& cleaner, std::u16string_view keyName, int start,
                            int span) {
  ForEachEntryValue(
      cleaner, keyName, &IsPidlOrderingName, start, span,
      [&cleaner](const std::u16string& path, const std::u16string& name,
                 const std::uint8_t* data, std::uint32_t size, int percent) {
        const LastVisitedPidlEntry entry = SplitLastVisitedPidlEntry(data, size);
        std::u16string folder;
        const std::uint32_t finding = JudgeIdList(cleaner.Paths(), data + entry.idListOffset,
                                                  size - entry.idListOffset, &folder);
        cleaner.AddFinding(HistoryRecord(finding, entry.program, path, name, folder), percent);
      });
}

// OpenSavePidlMRU: per file extension (and *) a key whose values are ID lists of files.
void ScanOpenSavePidlMRU(TRCRegCleaner& cleaner, int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess root(registry);
  const std::u16string subKey = std::u16string(kComDlgKey) + u"OpenSavePidlMRU";
  if (!OpenRootKey(root, platform::kCurrentUser, subKey)) return;
  const std::u16string rootPath = u"HKEY_CURRENT_USER\\" + subKey + u"\\";
  const std::vector<std::u16string> extensions = root.GetKeyNames();
  const long long n = static_cast<long long>(extensions.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& extension = extensions[i];
    RegAccess key(registry);
    RegKeyInfo info;
    if (!OpenSubKey(key, root, extension) || !key.GetKeyInfo(&info)) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    std::vector<std::uint8_t> buffer(std::max<std::uint32_t>(info.maxDataLen, 1));
    for (const std::u16string& name : key.GetValueNames()) {
      if (IsPidlOrderingName(name)) continue;
      const std::optional<std::uint32_t> read = ReadRawValue(key, name, buffer);
      if (!read) continue;
      std::u16string file;
      const std::uint32_t finding =
          JudgeIdList(cleaner.Paths(), buffer.data(), *read, &file);
      cleaner.AddFinding(
          HistoryRecord(finding, extension, rootPath + extension, name, file),
          percent);
    }
  }
}

// A step's share of the progress range.
struct Step {
  int start;
  int span;
};
// Share number index (0-based) of whole when it is split evenly among count steps.
Step ShareOf(const Step& whole, int index, int count) {
  const int from = whole.start + whole.span * index / count;
  return {from, whole.start + whole.span * (index + 1) / count - from};
}

}  // namespace

LastVisitedEntry ParseLastVisitedEntry(const std::uint8_t* data, std::size_t size) {
  LastVisitedEntry entry;
  if (data == nullptr || size < 2) return entry;
  std::size_t next = 0;
  entry.program = Utf16TextAt(data, size, 0, &next);
  entry.folder = Utf16TextAt(data, size, next, &next);
  return entry;
}

// The last-visited folders take the first 30 percent of the span, the opened and saved
// files the remaining 70; each share is split evenly among its keys.
void ScanHistoryList(TRCRegCleaner& cleaner, int start, int span) {
  const Step visited{start, span * 30 / 100};
  const Step openSave{start + span * 30 / 100, span * 70 / 100};
  const Step lastVisited = ShareOf(visited, 0, 3);
  const Step lastVisitedPidl = ShareOf(visited, 1, 3);
  const Step lastVisitedLegacy = ShareOf(visited, 2, 3);
  const Step openSaveText = ShareOf(openSave, 0, 2);
  const Step openSavePidl = ShareOf(openSave, 1, 2);
  ScanLastVisitedMRU(cleaner, lastVisited.start, lastVisited.span);
  ScanLastVisitedPidlMRU(cleaner, u"LastVisitedPidlMRU", lastVisitedPidl.start,
                         lastVisitedPidl.span);
  ScanLastVisitedPidlMRU(cleaner, u"LastVisitedPidlMRULegacy", lastVisitedLegacy.start,
                         lastVisitedLegacy.span);
  ScanOpenSaveMRU(cleaner, openSaveText.start, openSaveText.span);
  ScanOpenSavePidlMRU(cleaner, openSavePidl.start, openSavePidl.span);
}

}  // namespace ovalin
