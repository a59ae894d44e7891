// Help files: the registered WinHelp ("Help") and HTML Help files; value name = file
// name, data = its folder. Both the folder and the file in it must exist.
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

long long ValueCountOf(const RegAccess& windows, std::u16string_view listName) {
  RegAccess list(windows.Backend());
  RegKeyInfo info;
  if (!OpenSubKey(list, windows, listName) || !list.GetKeyInfo(&info)) return 0;
  return info.numValues;
}

// Walks one list; returns how many values it holds (0 when it does not open).
long long ScanHelpList(TRCRegCleaner& cleaner, const RegAccess& windows,
                       std::u16string_view listName, int start, int span, long long before,
                       long long total) {
  platform::FileSystem& files = cleaner.Platform().files;
  RegAccess list(cleaner.Platform().registry);
  if (!OpenSubKey(list, windows, listName)) return 0;
  const std::u16string path =
      u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\" + std::u16string(listName);
  const std::vector<std::u16string> names = list.GetValueNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) break;
    const std::u16string& name = names[i];
    if (name.empty()) continue;
    const int percent = ProgressPercent(start, span, i + before + 1, total);
    std::u16string folder;
    try {
      if (!IsStringClass(list.GetDataType(name))) continue;
      folder = ExpandEnvVars(cleaner.Platform().system, list.ReadString(name));
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    const bool fine = !folder.empty() &&
                      files.Probe(folder) == platform::PathKind::kFolder &&
                      IsValidPath(files, PathAddBackslash(folder) + name);
    const std::uint32_t code =
        fine ? stHelpFiles : (stHelpFiles | mtDeleteValue | ecInvalidHelpFiles);
    cleaner.AddFinding(MakeRecord(code, name, path, name, folder), percent);
  }
  return n;
}

}  // namespace

void ScanHelpFiles(TRCRegCleaner& cleaner, int start, int span) {
  RegAccess windows(cleaner.Platform().registry);
  if (!OpenRootKey(windows, platform::kLocalMachine, u"SOFTWARE\\Microsoft\\Windows")) return;
  const long long total = ValueCountOf(windows, u"HTML Help") + ValueCountOf(windows, u"Help");
  const long long helpCount = ScanHelpList(cleaner, windows, u"Help", start, span, 0, total);
  ScanHelpList(cleaner, windows, u"HTML Help", start, span, helpCount, total);
}

}  // namespace ovalin
