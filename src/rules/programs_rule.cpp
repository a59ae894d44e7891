// Programs: the machine-wide Uninstall list of each view and the installer's folder list.
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

// Below the software key of each view.
constexpr std::u16string_view kUninstallKey = u"Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::u16string_view kInstallerFoldersKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";

enum class UninstallValueKind { kNotExamined, kCommand, kFolder };

UninstallValueKind KindOf(std::u16string_view name) {
  if (StrSameText(name, u"UninstallString") || StrSameText(name, u"QuietUninstallString") ||
      StrSameText(name, u"DisplayIcon")) {
    return UninstallValueKind::kCommand;
  }
  if (StrSameText(name, u"InstallLocation") || StrSameText(name, u"InstallSource")) {
    return UninstallValueKind::kFolder;
  }
  return UninstallValueKind::kNotExamined;
}

// "DisplayName DisplayVersion", or the name alone, or empty without a name.
std::u16string ProgramTitle(RegAccess& program) {
  std::u16string title;
  std::u16string version;
  ReadStringValue(program, u"DisplayName", &title);
  if (!title.empty() && ReadStringValue(program, u"DisplayVersion", &version) &&
      !version.empty()) {
    title += u" " + version;
  }
  return title;
}

// Judges the command lines, icons and folders of one program entry.
void ScanProgramValues(TRCRegCleaner& cleaner, RegAccess& program, int percent,
                       const std::u16string& title, const std::u16string& path) {
  PathJudge& judge = cleaner.Paths();
  const RegView view = ViewOfKeyPath(path);
  for (const std::u16string& name : program.GetValueNames()) {
    if (name.empty()) continue;
    const UninstallValueKind kind = KindOf(name);
    if (kind == UninstallValueKind::kNotExamined) continue;
    std::u16string text;
    try {
      if (!ReadIfString(program, name, &text)) continue;
      text = judge.Expand(text, view);
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    // An empty value is what cleaning leaves (the value is blanked, not removed): it
    // points nowhere and is not reported again.
    bool broken = false;
    if (!text.empty()) {
      broken = kind == UninstallValueKind::kCommand ? PathIsMissing(judge, text, view)
                                                    : ProvedNotFolder(judge, text, view);
    }
    const std::uint32_t code =
        broken ? (stPrograms | mtBlankValue | ecInvalidUninstall) : stPrograms;
    const ReasonKind reason = kind == UninstallValueKind::kCommand ? ReasonKind::kFileNotFound
                                                                   : ReasonKind::kFolderNotFound;
    cleaner.AddFinding(WithReason(MakeRecord(code, title, path, name, text), reason, text),
                       percent);
  }
}

// The Uninstall list of one view.
void ScanUninstallList(TRCRegCleaner& cleaner, RegAccess& root, const std::u16string& rootPath,
                       int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  const std::u16string basePath = rootPath + u"\\";
  const std::vector<std::u16string> programs = root.GetKeyNames();
  const long long n = static_cast<long long>(programs.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::u16string& name = programs[i];
    RegAccess program(registry);
    RegKeyInfo info;
    if (!OpenSubKey(program, root, name) || !program.GetKeyInfo(&info)) continue;
    if (info.numSubKeys == 0 && info.numValues == 0) {
      ReportKeyFinding(cleaner, u"", percent, ecNullUninstall, stPrograms, basePath + name);
      continue;
    }
    ScanProgramValues(cleaner, program, percent, ProgramTitle(program), basePath + name);
  }
}

void ScanUninstall(TRCRegCleaner& cleaner, int start, int span) {
  const std::vector<ViewKey> lists = OpenInEachView(cleaner.Platform().registry, kUninstallKey);
  const int count = static_cast<int>(lists.size());
  for (int i = 0; i < count; ++i) {
    if (StopRequested(cleaner)) return;
    ScanUninstallList(cleaner, *lists[i].key, lists[i].path, start + span * i / count,
                      span / count);
  }
}

// The installer service keeps its folder list in the native view only.
void ScanInstallerFolders(TRCRegCleaner& cleaner, int start, int span) {
  if (StopRequested(cleaner)) return;
  RegAccess root(cleaner.Platform().registry);
  if (!OpenRootKey(root, platform::kLocalMachine, kInstallerFoldersKey)) return;
  const std::u16string path = u"HKEY_LOCAL_MACHINE\\" + std::u16string(kInstallerFoldersKey);
  const std::vector<std::u16string> folders = root.GetValueNames();
  const long long n = static_cast<long long>(folders.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& folder = folders[i];
    if (folder.empty()) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const bool broken = ProvedNotFolder(cleaner.Paths(), folder, RegView::kNative);
    const std::uint32_t code =
        broken ? (stPrograms | mtDeleteValue | ecInvalidSetupFolders) : stPrograms;
    cleaner.AddFinding(WithReason(MakeRecord(code, u"Installer", path, folder, folder),
                                  ReasonKind::kFolderNotFound, folder),
                       percent);
  }
}

}  // namespace

void ScanPrograms(TRCRegCleaner& cleaner, int start, int span) {
  ScanUninstall(cleaner, start, span * 50 / 100);
  ScanInstallerFolders(cleaner, start + span * 50 / 100, span * 50 / 100);
}

}  // namespace ovalin
