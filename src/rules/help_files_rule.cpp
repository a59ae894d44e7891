// Help files: the registered WinHelp ("Help") and HTML Help files of each view; value
// name = file name, data = its folder. Both the folder and the file in it must exist.
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
                       const std::u16string& windowsPath, std::u16string_view listName,
                       int start, int span, long long before, long long total) {
  PathJudge& judge = cleaner.Paths();
  const RegView view = ViewOfKeyPath(windowsPath);
  RegAccess list(cleaner.Platform().registry);
  if (!OpenSubKey(list, windows, listName)) return 0;
  const std::u16string path = windowsPath + u"\\" + std::u16string(listName);
  const std::vector<std::u16string> names = list.GetValueNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) break;
    const std::u16string& name = names[i];
    if (name.empty()) continue;
    const int percent = ProgressPercent(start, span, i + before + 1, total);
    std::u16string folder;
    try {
      if (!ReadIfString(list, name, &folder)) continue;
      folder = judge.Expand(folder, view);
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    FindingReason reason;
    if (folder.empty()) {
      reason = {ReasonKind::kEmptyValue, {}};
    } else if (ProvedNotFolder(judge, folder, view)) {
      reason = {ReasonKind::kFolderNotFound, folder};
    } else if (PathIsMissing(judge, PathAddBackslash(folder) + name, view)) {
      reason = {ReasonKind::kFileNotFound, PathAddBackslash(folder) + name};
    }
    const bool broken = reason.kind != ReasonKind::kNone;
    const std::uint32_t code =
        broken ? (stHelpFiles | mtDeleteValue | ecInvalidHelpFiles) : stHelpFiles;
    cleaner.AddFinding(WithReason(MakeRecord(code, name, path, name, folder), reason.kind,
                                  reason.subject),
                       percent);
  }
  return n;
}

}  // namespace

void ScanHelpFiles(TRCRegCleaner& cleaner, int start, int span) {
  // The WinHelp and HTML Help lists of each view, with one progress over all of them.
  const std::vector<ViewKey> views =
      OpenInEachView(cleaner.Platform().registry, u"Microsoft\\Windows");
  long long total = 0;
  for (const ViewKey& windows : views) {
    total += ValueCountOf(*windows.key, u"HTML Help") + ValueCountOf(*windows.key, u"Help");
  }
  long long before = 0;
  for (const ViewKey& windows : views) {
    if (StopRequested(cleaner)) return;
    before += ScanHelpList(cleaner, *windows.key, windows.path, u"Help", start, span, before,
                           total);
    before += ScanHelpList(cleaner, *windows.key, windows.path, u"HTML Help", start, span,
                           before, total);
  }
}

}  // namespace ovalin
