// History list: the open and save dialogs' recent folders (LastVisitedMRU, raw data)
// and recent files per extension (OpenSaveMRU, text).
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

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

void ScanLastVisitedMRU(TRCRegCleaner& cleaner, int start, int span) {
  RegAccess key(cleaner.Platform().registry);
  RegKeyInfo info;
  if (!OpenRootKey(key, platform::kCurrentUser,
                   std::u16string(kComDlgKey) + u"LastVisitedMRU") ||
      !key.GetKeyInfo(&info)) {
    return;
  }
  const std::u16string path =
      u"HKEY_CURRENT_USER\\" + std::u16string(kComDlgKey) + u"LastVisitedMRU";
  const std::vector<std::u16string> names = key.GetValueNames();
  std::vector<std::uint8_t> buffer(std::max<std::uint32_t>(info.maxDataLen, 1));
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = names[i];
    if (IsMruListName(name)) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    std::uint32_t read = 0;
    try {
      read = key.ReadBinaryData(name, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    } catch (const RegistryError&) {
      continue;  // text and numbers are not entries of this list
    }
    const LastVisitedEntry entry = ParseLastVisitedEntry(buffer.data(), read);
    auto item = MakeRecord(stHistoryList, entry.program, path, name, entry.folder);
    if (entry.folder.empty()) {
      item->ScannedCode = stHistoryList | mtDeleteValue | ecNullHistoryList;
    } else if (PathIsMissing(cleaner.Paths(), entry.folder, RegView::kNative)) {
      item->ScannedCode = stHistoryList | mtDeleteValue | ecInvalidHistoryList;
    }
    cleaner.AddFinding(std::move(item), percent);
  }
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
        if (!IsStringClass(key.GetDataType(name))) continue;
        text = ExpandEnvVars(cleaner.Platform().system, key.ReadString(name));
      } catch (const RegistryError&) {
        continue;  // a value that cannot be read is skipped
      }
      auto item = MakeRecord(stHistoryList, extension, rootPath + extension, name, text);
      if (text.empty()) {
        item->ScannedCode = stHistoryList | mtDeleteValue | ecNullHistoryList;
      } else if (ProvedNotFile(cleaner.Paths(), text, RegView::kNative)) {
        item->ScannedCode = stHistoryList | mtDeleteValue | ecInvalidHistoryList;
      }
      cleaner.AddFinding(std::move(item), percent);
    }
  }
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

void ScanHistoryList(TRCRegCleaner& cleaner, int start, int span) {
  ScanLastVisitedMRU(cleaner, start, span * 30 / 100);
  ScanOpenSaveMRU(cleaner, start + span * 30 / 100, span * 70 / 100);
}

}  // namespace ovalin
