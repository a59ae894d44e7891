#include "localisation/multi_languages.h"

#include <gtest/gtest.h>

#ifdef _WIN32
// Declared here rather than through <windows.h>, whose CreateFile and DeleteFile macros
// would rename the test platform's members.
extern "C" __declspec(dllimport) int __stdcall SetFileAttributesW(const wchar_t* name,
                                                                  unsigned long attributes);
#endif

#include "localisation/language_packs_fixture.h"

namespace ovalin {
namespace {

using testing::U8;

class MultiLanguagesTest : public testing::LanguagePacksTest {
 protected:
  void SetUp() override {
    Langs().SetOnLanguageChanged([this] { ++changes; });
  }
  int changes = 0;
};

TEST_F(MultiLanguagesTest, ConstructionStoresNamesAndFolderWithoutTouchingFiles) {
  TKelMultiLanguages fromPath(program.Get(), u"C:\\x\\Some.ini", u"  ");
  EXPECT_EQ(fromPath.IniFileName(), u"Some.ini");
  EXPECT_EQ(fromPath.MultiLanguagePath(), u"Langs\\");
  EXPECT_EQ(fromPath.Count(), 0);
  EXPECT_EQ(fromPath.Index(), -1);
  TKelMultiLanguages fromProgram(program.Get(), u"", u"Packs\\");
  EXPECT_EQ(fromProgram.IniFileName(), u"OvalinRegistryCleanerStrRes.ini");
  EXPECT_EQ(fromProgram.MultiLanguagePath(), u"Packs\\");
}

TEST_F(MultiLanguagesTest, ParseListsOnlyFoldersWithAStringsFile) {
  WritePack(u"English", Pack("English", "1033", ""));
  WritePack(u"Hex", Pack("", "0x407", ""));
  WritePack(u"Dollar", Pack("Dollar pack", "$40C", ""));
  WritePack(u"Word", Pack("Wordy", "German", ""));
  program.Write(PackFolder(u"NoDescription") + u"RegistryCleanerStrs.ini", "");
  program.Test().CreateFolder(PackFolder(u"Empty"));
  program.Write(PackFolder(u"FontsOnly") + u"RegistryCleanerFonts.ini", "[_Fonts_]\n1=Arial\n");
  program.Write(PackFolder(u"Deeper") + u"Inner\\RegistryCleanerStrs.ini", "");
  program.Write(program.LangsFolder() + u"RegistryCleanerStrs.ini", "");

  ASSERT_TRUE(Langs().Parse(u"Langs\\"));
  EXPECT_EQ(U8(Langs().MultiLanguagePath()), U8(program.LangsFolder()));
  ASSERT_EQ(Langs().Count(), 5);
  EXPECT_EQ(Langs().Index(), -1);
  const struct {
    const char16_t* folder;
    const char16_t* name;
    std::int32_t id;
  } expected[] = {
      {u"English", u"English", 1033}, {u"Hex", u"Hex", 0x407},
      {u"Dollar", u"Dollar pack", 0x40C}, {u"Word", u"Wordy", -1},
      {u"NoDescription", u"NoDescription", -1},
  };
  for (const auto& e : expected) {
    const int i = IndexOf(e.folder);
    ASSERT_GE(i, 0) << U8(e.folder);
    EXPECT_EQ(Langs().GetLanguageName(i), e.name);
    EXPECT_EQ(Langs().GetLanguageID(i), e.id);
    EXPECT_EQ(Langs().GetStringResFile(i), PackFolder(e.folder) + u"RegistryCleanerStrs.ini");
  }
  EXPECT_EQ(Langs().GetLanguageName(5), u"");
  EXPECT_EQ(Langs().GetLanguagePath(-1), u"");
  EXPECT_EQ(changes, 0);
}

TEST_F(MultiLanguagesTest, HiddenAndSystemFoldersAreNotPacks) {
  WritePack(u"English", Pack("English", "1033", ""));
  // A dot folder is hidden on the substitute, and Wine reports it hidden as well.
  WritePack(u".sync", Pack("Metadata", "1031", ""));
#ifdef _WIN32
  WritePack(u"HiddenPack", Pack("Hidden", "1036", ""));
  WritePack(u"SystemPack", Pack("System", "2052", ""));
  const std::u16string hidden = PackFolder(u"HiddenPack");
  const std::u16string system = PackFolder(u"SystemPack");
  constexpr unsigned long kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10;
  ASSERT_TRUE(SetFileAttributesW(reinterpret_cast<const wchar_t*>(hidden.c_str()),
                                 kDirectory | kHidden));
  ASSERT_TRUE(SetFileAttributesW(reinterpret_cast<const wchar_t*>(system.c_str()),
                                 kDirectory | kSystem));
#endif
  ASSERT_TRUE(Langs().Parse(u"Langs\\"));
  ASSERT_EQ(Langs().Count(), 1);
  EXPECT_EQ(Langs().GetLanguageName(0), u"English");
}

TEST_F(MultiLanguagesTest, MissingFolderKeepsTheOldListAndEmptyFolderGivesNoPacks) {
  WritePack(u"English", Pack("English", "1033", ""));
  ASSERT_TRUE(Langs().Parse(u""));  // the stored "Langs\"
  ASSERT_EQ(Langs().Count(), 1);
  Langs().SetIndex(0);
  EXPECT_FALSE(Langs().Parse(u"Missing\\"));
  EXPECT_EQ(Langs().Count(), 1);
  EXPECT_EQ(Langs().Index(), 0);
  program.Test().CreateFolder(program.ProgramFolder() + u"Nothing\\");
  EXPECT_TRUE(Langs().Parse(u"Nothing"));
  EXPECT_EQ(Langs().Count(), 0);
  EXPECT_EQ(Langs().Index(), -1);
  EXPECT_EQ(Langs().CurrentLanguageID(), -1);
  EXPECT_EQ(Langs().CurrentLanguageName(), u"");
  Langs().SetIndex(0);
  EXPECT_EQ(changes, 1);
}

TEST_F(MultiLanguagesTest, SelectionByIdNameAndIndex) {
  WritePack(u"A", Pack("Alpha", "1031", ""));
  WritePack(u"B", Pack("Beta", "1031", ""));
  WritePack(u"C", Pack("Gamma", "2052", ""));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  const int a = IndexOf(u"A"), b = IndexOf(u"B"), c = IndexOf(u"C");

  Langs().SetCurrentLanguageID(1031);  // two packs with that ID: the first listed
  EXPECT_EQ(Langs().Index(), std::min(a, b));
  EXPECT_EQ(changes, 1);
  Langs().SetIndex(Langs().Index());  // already current: nothing
  EXPECT_EQ(changes, 1);

  Langs().SetCurrentLanguageName(u"gAMMA");
  EXPECT_EQ(Langs().Index(), c);
  Langs().SetCurrentLanguageName(u"Delta");
  EXPECT_EQ(Langs().Index(), c);
  EXPECT_EQ(changes, 2);

  // An ID no pack has, locale matching no pack either: index 0.
  program.SetThreadLanguageID(1049);
  Langs().SetCurrentLanguageID(1036);
  EXPECT_EQ(Langs().Index(), 0);
  EXPECT_EQ(Langs().CurrentLanguageName(), Langs().GetLanguageName(0));
}

TEST_F(MultiLanguagesTest, TheLocalLanguageDecidesForUnknownAndZeroIds) {
  WritePack(u"A", Pack("Alpha", "1033", ""));
  WritePack(u"B", Pack("Beta", "2052", ""));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  const std::uint16_t first = static_cast<std::uint16_t>(Langs().GetLanguageID(0));
  const std::uint16_t second = static_cast<std::uint16_t>(Langs().GetLanguageID(1));
  program.SetThreadLanguageID(first);

  Langs().SetCurrentLanguageID(0);  // locale matches index 0: nothing is selected
  EXPECT_EQ(Langs().Index(), -1);
  Langs().SetCurrentLanguageName(u"");
  EXPECT_EQ(Langs().Index(), -1);
  program.SetThreadLanguageID(second);
  Langs().SetCurrentLanguageID(-1);
  EXPECT_EQ(Langs().Index(), 1);
  Langs().SetIndex(7);  // out of range: the local pack, already current
  EXPECT_EQ(Langs().Index(), 1);
  EXPECT_EQ(changes, 1);
  program.SetThreadLanguageID(first);
  Langs().SetCurrentLanguageID(3082);  // unknown ID, locale is index 0: index 0
  EXPECT_EQ(Langs().Index(), 0);
  EXPECT_EQ(Langs().IndexOfLanguageID(0x10000 + second), 1);  // low 16 bits compared
}

TEST_F(MultiLanguagesTest, CurrentNameWithoutCurrentPackMakesTheFirstCurrentWithoutLoading) {
  WritePack(u"A", Pack("Alpha", "1033", "STR_ZUNRCForm_Button_Scan=Go\n"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  EXPECT_EQ(Langs().CurrentLanguageName(), u"Alpha");
  EXPECT_EQ(Langs().Index(), 0);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(localisation.Strings.STR_ZUNRCForm_Button_Scan, u"Scan");
}

TEST_F(MultiLanguagesTest, VanishedStringsFileStillChangesTheLanguage) {
  WritePack(u"A", Pack("Alpha", "1033", "STR_ZUNRCForm_Button_Scan=Go\n"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  ASSERT_TRUE(program.Get().files.DeleteFile(Langs().GetStringResFile(0)));
  EXPECT_FALSE(Langs().LoadLanguage(0));
  EXPECT_EQ(Langs().Index(), 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(localisation.Strings.STR_ZUNRCForm_Button_Scan, u"Scan");
}

}  // namespace
}  // namespace ovalin
