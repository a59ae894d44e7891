// Start menu: the Explorer's saved order of the start menu and favorites folders. A
// MenuOrder key whose folder exists neither for the user nor for all users is removed.
#include <algorithm>
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kMenuOrderKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";

// Where the folders of one MenuOrder tree are: a key at relative path r (below the
// MenuOrder key, with a trailing backslash) stands for the folder base + r without its
// first skip characters, for the user and for all users. An empty base cannot be
// judged.
struct MenuFolders {
  std::u16string commonBase;
  std::u16string userBase;
  std::size_t skip = 0;
};

std::u16string ParentOfSpecialFolder(platform::SystemServices& system, int csidl) {
  const std::u16string folder = PathRemoveBackslash(GetSpecialFolder(system, csidl));
  return folder.empty() ? folder : FileFolder(folder);
}

// True when neither folder that the key stands for can be there (a base the system does
// not know has no folders; without either base nothing can be judged).
bool BothFoldersMissing(PathJudge& judge, const MenuFolders& folders,
                        const std::u16string& childPath) {
  if (folders.userBase.empty() && folders.commonBase.empty()) return false;
  const std::u16string rest = childPath.substr(std::min(folders.skip, childPath.size()));
  auto missing = [&](const std::u16string& base) {
    return base.empty() || ProvedNotFolder(judge, base + rest, RegView::kNative);
  };
  return missing(folders.userBase) && missing(folders.commonBase);
}

void ScanMenuOrder(TRCRegCleaner& cleaner, const RegAccess& menuOrder,
                   const std::u16string& relativePath, int start, int span,
                   const MenuFolders& folders) {
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
    if (BothFoldersMissing(cleaner.Paths(), folders, childPath)) {
      item->ScannedCode = stStartMenu | mtDeleteKeyTree | ecInvalidMenus;
      item->Reason = {ReasonKind::kFolderNotFound,
                      (folders.userBase.empty() ? folders.commonBase : folders.userBase) +
                          childPath.substr(std::min(folders.skip, childPath.size()))};
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
  // "Start Menu\Programs\X" lies beside the start menu folder's own name.
  const MenuFolders startMenu{ParentOfSpecialFolder(system, platform::kCsidlCommonStartMenu),
                              ParentOfSpecialFolder(system, platform::kCsidlStartMenu), 0};
  // "Favorites\X" is X in the favorites folders, which since Windows Vista live in the
  // user's profile, not beside the start menu.
  constexpr std::u16string_view kFavorites = u"Favorites\\";
  const MenuFolders favorites{GetSpecialFolder(system, platform::kCsidlCommonFavorites),
                              GetSpecialFolder(system, platform::kCsidlFavorites),
                              kFavorites.size()};
  RegAccess menuOrder(cleaner.Platform().registry);
  if (!OpenRootKey(menuOrder, platform::kCurrentUser, kMenuOrderKey)) return;
  // The two walks keep fixed shares of the progress, whatever the caller gives.
  ScanMenuOrder(cleaner, menuOrder, u"Start Menu\\Programs", 0, 70, startMenu);
  if (StopRequested(cleaner)) return;
  ScanMenuOrder(cleaner, menuOrder, u"Favorites", 70, 30, favorites);
}

}  // namespace ovalin
