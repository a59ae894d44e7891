// Start menu: the Explorer's saved order of the start menu and favorites folders. A
// MenuOrder key whose folder exists neither for the user nor for all users is removed.
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kMenuOrderKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";

struct MenuFolders {
  std::u16string commonParent;  // the folder holding the all-users start menu
  std::u16string userParent;    // the folder holding the user's start menu
};

std::u16string ParentOfSpecialFolder(platform::SystemServices& system, int csidl) {
  return FileFolder(PathRemoveBackslash(GetSpecialFolder(system, csidl)));
}

void ScanMenuOrder(TRCRegCleaner& cleaner, const RegAccess& menuOrder,
                   const std::u16string& relativePath, int start, int span,
                   const MenuFolders& folders) {
  platform::FileSystem& files = cleaner.Platform().files;
  RegAccess key(cleaner.Platform().registry);
  if (!OpenSubKey(key, menuOrder, PathRemoveBackslash(relativePath))) return;
  const std::vector<std::u16string> names = key.GetKeyNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = names[i];
    const std::u16string childPath = PathAddBackslash(relativePath) + PathAddBackslash(name);
    const int percent = span != 0 ? ProgressPercent(start, span, i + 1, n) : start;
    auto item = MakeRecord(stStartMenu, name,
                           u"HKEY_CURRENT_USER\\" + std::u16string(kMenuOrderKey) + u"\\" +
                               childPath);
    const bool exists =
        files.Probe(folders.userParent + childPath) == platform::PathKind::kFolder ||
        files.Probe(folders.commonParent + childPath) == platform::PathKind::kFolder;
    if (!exists) {
      item->ScannedCode = stStartMenu | mtDeleteKeyTree | ecInvalidMenus;
      cleaner.AddFinding(std::move(item), percent);
      continue;
    }
    cleaner.AddFinding(std::move(item), percent);
    ScanMenuOrder(cleaner, menuOrder, childPath, percent, 0, folders);
  }
}

}  // namespace

void ScanStartMenu(TRCRegCleaner& cleaner, int /*start*/, int /*span*/) {
  platform::SystemServices& system = cleaner.Platform().system;
  const MenuFolders folders{ParentOfSpecialFolder(system, platform::kCsidlCommonStartMenu),
                            ParentOfSpecialFolder(system, platform::kCsidlStartMenu)};
  RegAccess menuOrder(cleaner.Platform().registry);
  if (!OpenRootKey(menuOrder, platform::kCurrentUser, kMenuOrderKey)) return;
  // The two walks keep fixed shares of the progress, whatever the caller gives.
  ScanMenuOrder(cleaner, menuOrder, u"Start Menu\\Programs", 0, 70, folders);
  ScanMenuOrder(cleaner, menuOrder, u"Favorites", 70, 30, folders);
}

}  // namespace ovalin
