// Programs: the machine-wide Uninstall list and the installer's folder list.
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kUninstallKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
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
  platform::FileSystem& files = cleaner.Platform().files;
  for (const std::u16string& name : program.GetValueNames()) {
    if (name.empty()) continue;
    const UninstallValueKind kind = KindOf(name);
    if (kind == UninstallValueKind::kNotExamined) continue;
    std::u16string text;
    try {
      if (!IsStringClass(program.GetDataType(name))) continue;
      text = ExpandEnvVars(cleaner.Platform().system, program.ReadString(name));
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    bool fine = false;
    if (!text.empty()) {
      fine = kind == UninstallValueKind::kCommand
                 ? IsValidPath(files, text)
                 : files.Probe(text) == platform::PathKind::kFolder;
    }
    const std::uint32_t code =
        fine ? stPrograms : (stPrograms | mtBlankValue | ecInvalidUninstall);
    cleaner.AddFinding(MakeRecord(code, title, path, name, text), percent);
  }
}

void ScanUninstall(TRCRegCleaner& cleaner, int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess root(registry);
  if (!OpenRootKey(root, platform::kLocalMachine, kUninstallKey)) return;
  const std::u16string basePath = u"HKEY_LOCAL_MACHINE\\" + std::u16string(kUninstallKey) + u"\\";
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

void ScanInstallerFolders(TRCRegCleaner& cleaner, int start, int span) {
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
    const bool fine = cleaner.Platform().files.Probe(folder) == platform::PathKind::kFolder;
    const std::uint32_t code =
        fine ? stPrograms : (stPrograms | mtDeleteValue | ecInvalidSetupFolders);
    cleaner.AddFinding(MakeRecord(code, u"Installer", path, folder, folder), percent);
  }
}

}  // namespace

void ScanPrograms(TRCRegCleaner& cleaner, int start, int span) {
  ScanUninstall(cleaner, start, span * 50 / 100);
  ScanInstallerFolders(cleaner, start + span * 50 / 100, span * 50 / 100);
}

}  // namespace ovalin
