#include <gtest/gtest.h>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rule_harness.h"

namespace ovalin::testing {
namespace {

constexpr const char* kMenuOrder =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\";

std::u16string ParentOf(platform::SystemServices& system, int csidl) {
  return FileFolder(PathRemoveBackslash(GetSpecialFolder(system, csidl)));
}

TEST(StartMenuRule, KeepsMenuOrderKeysWhoseFolderExistsForTheUserOrForAllUsers) {
  RuleHarness h;
  h.SeedFixture("start_menu.reg");
  const std::u16string common = ParentOf(h.Get().system, platform::kCsidlCommonStartMenu);
  const std::u16string user = ParentOf(h.Get().system, platform::kCsidlStartMenu);
  ASSERT_FALSE(common.empty());
  ASSERT_FALSE(user.empty());
  h.CreateFolderAt(common + u"Start Menu\\Programs\\OvalinTools");
  h.CreateFolderAt(common + u"Start Menu\\Programs\\OvalinTools\\Deep");
  const std::u16string favorites = GetSpecialFolder(h.Get().system, platform::kCsidlFavorites);
  ASSERT_FALSE(favorites.empty());
  h.CreateFolderAt(favorites + u"OvalinLinks");
  h.CreateFolderAt(user + u"Favorites\\OvalinOldPlace");

  const std::string programs = std::string(kMenuOrder) + "Start Menu\\Programs\\";
  // Natively: 2 keys over 0..70, the keys below OvalinTools at its percent; Favorites
  // over 70..100.
  h.ExpectRecords(
      h.Run(stStartMenu, &ScanStartMenu),
      {
          {57, mtDeleteKeyTree, "OvalinGames", programs + "OvalinGames", "", "", 35},
          {0, 0, "OvalinTools", programs + "OvalinTools", "", "", 70},
          {0, 0, "Deep", programs + "OvalinTools\\Deep", "", "", 70},
          {57, mtDeleteKeyTree, "Gone", programs + "OvalinTools\\Gone", "", "", 70},
          {0, 0, "OvalinLinks", std::string(kMenuOrder) + "Favorites\\OvalinLinks", "", "", 85},
          {57, mtDeleteKeyTree, "OvalinOldPlace",
           std::string(kMenuOrder) + "Favorites\\OvalinOldPlace", "", "", 100},
      });
}

}  // namespace
}  // namespace ovalin::testing
