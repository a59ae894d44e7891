// Shortcuts: the Explorer's recent documents; each numbered entry names a shortcut
// file that must exist in the user's recent folder.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kRecentDocsPath =
    u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
constexpr std::uint8_t kAnsiNameType = 0x32;

// Windows-1252, the ANSI code page of western systems, for the bytes 0x80 to 0x9F;
// the others map to the same code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t AnsiChar(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kCp1252High[byte - 0x80];
  return byte;
}

// UTF-16LE characters from offset up to a NUL or the end of the data.
std::u16string Utf16Until(const std::uint8_t* data, std::size_t size, std::size_t offset) {
  std::u16string text;
  for (std::size_t at = offset; at + 1 < size; at += 2) {
    const char16_t c = static_cast<char16_t>(data[at] | (data[at + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

std::u16string AnsiUntil(const std::uint8_t* data, std::size_t size, std::size_t offset) {
  std::u16string text;
  for (std::size_t at = offset; at < size && data[at] != 0; ++at) text.push_back(AnsiChar(data[at]));
  return text;
}

// Reads a value of the list as raw data; false when it is not an entry (not numeric,
// not raw data, or shorter than one character).
bool ReadEntry(RegAccess& key, const std::u16string& name, std::vector<std::uint8_t>& buffer,
               RecentDocEntry* entry) {
  if (name.empty() || !IsNumericName(name)) return false;
  std::uint32_t read = 0;
  try {
    read = key.ReadBinaryData(name, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
  } catch (const RegistryError&) {
    return false;
  }
  if (read < 2) return false;
  *entry = ParseRecentDocEntry(buffer.data(), read);
  return true;
}

std::vector<std::uint8_t> BufferFor(const RegKeyInfo& info) {
  return std::vector<std::uint8_t>(std::max<std::uint32_t>(info.maxDataLen, 1));
}

}  // namespace

RecentDocEntry ParseRecentDocEntry(const std::uint8_t* data, std::size_t size) {
  RecentDocEntry entry;
  if (data == nullptr) return entry;
  entry.document = Utf16Until(data, size, 0);
  const std::size_t n = entry.document.size();
  const std::size_t typeOffset = 2 * n + 4;
  const std::size_t nameOffset = 2 * n + 16;
  if (nameOffset >= size) return entry;
  entry.shortcut = data[typeOffset] == kAnsiNameType ? AnsiUntil(data, size, nameOffset)
                                                     : Utf16Until(data, size, nameOffset);
  return entry;
}

void ScanRecentDocs(TRCRegCleaner& cleaner, int start, int span) {
  PathJudge& judge = cleaner.Paths();
  platform::Registry& registry = cleaner.Platform().registry;
  const std::u16string recentFolder =
      GetSpecialFolder(cleaner.Platform().system, platform::kCsidlRecent);
  RegAccess root(registry);
  RegKeyInfo info;
  if (!OpenRootKey(root, platform::kCurrentUser,
                   u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs") ||
      !root.GetKeyInfo(&info)) {
    return;
  }
  const long long valueCount = info.numValues;
  const long long total = valueCount + info.numSubKeys;
  const std::u16string rootPath(kRecentDocsPath);

  {
    std::vector<std::uint8_t> buffer = BufferFor(info);
    const std::vector<std::u16string> names = root.GetValueNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (StopRequested(cleaner)) break;
      const int percent = ProgressPercent(start, span, static_cast<long long>(i) + 1, total);
      RecentDocEntry entry;
      if (!ReadEntry(root, names[i], buffer, &entry)) continue;
      const bool broken = !recentFolder.empty() && ProvedNotFile(judge, recentFolder + entry.shortcut, RegView::kNative);
      const std::uint32_t code =
          broken ? (stShortcuts | mtDeleteValue | ecInvalidShortcuts) : stShortcuts;
      cleaner.AddFinding(
          WithReason(MakeRecord(code, entry.document, rootPath, names[i], entry.shortcut),
                     ReasonKind::kFileNotFound, recentFolder + entry.shortcut),
          percent);
    }
  }

  const std::vector<std::u16string> subkeys = root.GetKeyNames();
  for (std::size_t j = 0; j < subkeys.size(); ++j) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = subkeys[j];
    RegAccess key(registry);
    RegKeyInfo keyInfo;
    if (!OpenSubKey(key, root, name) || !key.GetKeyInfo(&keyInfo)) continue;
    std::vector<std::uint8_t> buffer = BufferFor(keyInfo);
    const int percent =
        ProgressPercent(start, span, static_cast<long long>(j) + 1 + valueCount, total);
    const std::u16string path = rootPath + u"\\" + name;
    if (keyInfo.numValues == 0) {
      cleaner.AddFinding(
          WithReason(MakeRecord(stShortcuts | mtDeleteKeyTree | ecInvalidRecentDocuments, name,
                                path),
                     ReasonKind::kEmptyKey),
          percent);
      continue;
    }
    for (const std::u16string& valueName : key.GetValueNames()) {
      RecentDocEntry entry;
      if (!ReadEntry(key, valueName, buffer, &entry)) continue;
      const std::u16string shortcutPath = recentFolder + entry.shortcut;
      const bool broken = !recentFolder.empty() && ProvedNotFile(judge, shortcutPath, RegView::kNative);
      const std::uint32_t code =
          broken ? (stShortcuts | mtDeleteValue | ecInvalidShortcuts) : stShortcuts;
      cleaner.AddFinding(WithReason(MakeRecord(code, entry.document, path, valueName, shortcutPath),
                                    ReasonKind::kFileNotFound, shortcutPath),
                         percent);
    }
  }
}

}  // namespace ovalin
