#include "localisation/app_multi_langs.h"

#include <gtest/gtest.h>

#include "localisation/dyn_string.h"
#include "localisation/language_packs_fixture.h"

namespace ovalin {
namespace {

using testing::U16;
using testing::U8;

class AppMultiLangsTest : public testing::LanguagePacksTest {
 protected:
  void SelectByName(std::u16string_view name) { Langs().SetCurrentLanguageName(name); }
  TAppStrings& S() { return localisation.Strings; }
};

TEST_F(AppMultiLangsTest, APackChangesOnlyTheKeysItDefines) {
  WritePack(u"One", Pack("One", "1031", "STR_ZUNRCForm_Button_Scan=Suchen\nSTR_ZUNRCForm_Caption=Eins\n"));
  WritePack(u"Two", Pack("Two", "1036", "str_zunrcform_button_scan=Analyser\nSTR_ZUNRCForm_Title=\n"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  SelectByName(u"One");
  EXPECT_EQ(U8(S().STR_ZUNRCForm_Button_Scan), "Suchen");
  EXPECT_EQ(U8(S().STR_ZUNRCForm_Caption), "Eins");
  EXPECT_EQ(U8(S().STR_ZUNRCForm_Button_Clean), "Clean");
  SelectByName(u"Two");
  EXPECT_EQ(U8(S().STR_ZUNRCForm_Button_Scan), "Analyser");  // key names ignore case
  EXPECT_EQ(U8(S().STR_ZUNRCForm_Caption), "Eins");        // kept from the previous pack
  EXPECT_EQ(S().STR_ZUNRCForm_Title, u"");                    // present and empty empties it
}

TEST_F(AppMultiLangsTest, EscapesAreDecodedOnLoad) {
  WritePack(u"E", Pack("E", "1033",
                       "STR_ZUNRCForm_1=Found %d.\\nScanning: %s\n"
                       "STR_ZUNRCForm_5=C:\\new\\table\\Data\\x\\\n"
                       "STR_ZUNRCForm_6=a\\\\b\\tc\\qd\n"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  Langs().SetIndex(0);
  EXPECT_EQ(S().STR_ZUNRCForm_1, u"Found %d.\r\nScanning: %s");
  EXPECT_EQ(S().STR_ZUNRCForm_5, u"C:\r\new\table\\Data\\x\\");
  EXPECT_EQ(S().STR_ZUNRCForm_6, u"a\\b\tc\\qd");
}

TEST_F(AppMultiLangsTest, ApplicationTitleFollowsThePackOrFallsBackToTheBuiltInTitle) {
  WritePack(u"T", Pack("T", "1033", "STR_ApplicationTitle=Pack Title\n"));
  WritePack(u"Keep", Pack("Keep", "1031", ""));
  WritePack(u"Empty", Pack("Empty", "1036", "STR_ApplicationTitle=\n"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  SelectByName(u"Keep");
  EXPECT_EQ(settings.title, u"Built-in");
  SelectByName(u"T");
  EXPECT_EQ(settings.title, u"Pack Title");
  SelectByName(u"Keep");
  EXPECT_EQ(settings.title, u"Pack Title");
  SelectByName(u"Empty");
  EXPECT_EQ(settings.title, u"Built-in");
}

TEST_F(AppMultiLangsTest, LanguageChangeSetsHelpFilesFontsConfigurationAndRefreshesWindows) {
  WritePack(u"Zh", Pack("Chinese", "2052", ""));
  WriteFonts(u"Zh", "[_Fonts_]\n9=SimSun\n[FontPropertyIDs]\nFONT_ZUNRCForm_Title=9\n");
  WritePack(u"NoFonts", Pack("NoFonts", "-1", ""));
  int refreshes = 0;
  Langs().SetRefreshWindows([&] { ++refreshes; });
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  SelectByName(u"Chinese");
  EXPECT_EQ(Langs().HelpFile(), PackFolder(u"Zh") + u"help.chm");
  EXPECT_EQ(Langs().HelpFileQuickStart(), Langs().HelpFile());
  EXPECT_EQ(localisation.MultiFonts.Count(), 1);
  EXPECT_EQ(localisation.FontVars.FONT_ZUNRCForm_Title, 9);
  EXPECT_EQ(localisation.FontVars.FONT_ZUNRCForm, 0);
  EXPECT_EQ(settings.ids, (std::vector<std::uint16_t>{2052}));
  EXPECT_EQ(refreshes, 1);

  SelectByName(u"NoFonts");  // no font file: the previous table stays
  EXPECT_EQ(localisation.MultiFonts.Count(), 1);
  EXPECT_EQ(localisation.FontVars.FONT_ZUNRCForm_Title, 9);
  EXPECT_EQ(settings.ids, (std::vector<std::uint16_t>{2052, 65535}));
  EXPECT_EQ(refreshes, 2);
}

TEST_F(AppMultiLangsTest, SaveWritesEveryKeyWithEscapesThatLoadBackTheSame) {
  WritePack(u"S", Pack("S", "1033", ""));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  Langs().SetIndex(0);
  S().STR_ZUNRCForm_5 = u"tab\there\\ cr\rlf\nvt\v";
  ASSERT_TRUE(Langs().Save());
  IniFile ini(program.Get().profiles, Langs().CurrentStringResFile());
  EXPECT_EQ(ini.KeyNames(u"StringRes").size(), 216u);
  EXPECT_EQ(U8(ini.ReadString(u"StringRes", u"STR_ZUNRCForm_5", u"")),
            "tab\\there\\\\ cr\\nlf\\nvt\\v");
  EXPECT_EQ(U8(ini.ReadString(u"StringRes", u"STR_ZUNRCForm_1", u"")),
            "Scaned out %d items need to clean.\\nScanning: %s");

  // Blanks at the ends and surrounding quotes survive a save and a load.
  S().STR_ZUNRCForm_6 = u"\"quoted\"";
  ASSERT_TRUE(Langs().Save());
  S().STR_ZUNRCForm_4 = u"changed";
  S().STR_ZUNRCForm_6 = u"changed";
  S().STR_ZUNRCForm_5 = u"changed";
  ASSERT_TRUE(Langs().LoadLanguage(0));
  EXPECT_EQ(S().STR_ZUNRCForm_4, u"  [%d Items]");
  EXPECT_EQ(S().STR_ZUNRCForm_6, u"\"quoted\"");
  EXPECT_EQ(S().STR_ZUNRCForm_5, u"tab\there\\ cr\r\nlf\r\nvt\v");
}

TEST_F(AppMultiLangsTest, HostilePackValuesLoadWithoutHarm) {
  const std::string huge(100000, 'x');
  WritePack(u"H", Pack("H", "1033",
                       "STR_ZUNRCForm_7=%s %s %s %s\n"
                       "STR_ZUNRCForm_0=%n%n%n\n"
                       "STR_ZUNRCForm_9=%999999d\n"
                       "STR_ZUNRCForm_2=\n"
                       "STR_ZUNRCForm_3=" + huge + "\n"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  Langs().SetIndex(0);
  EXPECT_EQ(S().STR_ZUNRCForm_3.size(), huge.size());
  const struct {
    const std::u16string* format;
    std::vector<TKelDynString::Arg> args;
  } uses[] = {
      {&S().STR_ZUNRCForm_7, {FormatArg::Int(1), FormatArg::Int(2), FormatArg::Int(3),
                              FormatArg::Text(u"now")}},
      {&S().STR_ZUNRCForm_0, {FormatArg::Int(1)}},
      {&S().STR_ZUNRCForm_9, {FormatArg::Int(1)}},
      {&S().STR_ZUNRCForm_1, {FormatArg::Int(1)}},  // default text, too few arguments
  };
  for (const auto& use : uses) {
    TKelDynString text(*use.format, use.args);
    EXPECT_EQ(text.Value(), u"") << U8(*use.format);
  }
}

TEST_F(AppMultiLangsTest, FileEncodingsAndJunk) {
  const std::string body = Pack("Deutsch", "1031", "STR_ZUNRCForm_Button_Scan=Prüfen\n");
  program.Write(PackFolder(u"Utf8") + u"RegistryCleanerStrs.ini", body);
  program.Write(PackFolder(u"Utf8Bom") + u"RegistryCleanerStrs.ini", "\xEF\xBB\xBF" + body);
  std::string noBom = testing::Utf16File(body).substr(2);
  program.Write(PackFolder(u"Utf16NoBom") + u"RegistryCleanerStrs.ini", noBom);
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  program.Write(PackFolder(u"Junk") + u"RegistryCleanerStrs.ini", junk);
  program.Write(PackFolder(u"Junk") + u"RegistryCleanerFonts.ini", junk);
  program.Test().CreateFolder(PackFolder(u"NoStrings"));
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  EXPECT_EQ(IndexOf(u"NoStrings"), -1);
  ASSERT_GE(IndexOf(u"Junk"), 0);

  // Every pack loads without harm; the ones the platform can decode give their text.
  for (const char16_t* folder : {u"Utf8", u"Utf8Bom", u"Utf16NoBom", u"Junk"}) {
    S().STR_ZUNRCForm_Button_Scan = u"Scan";
    Langs().SetIndex(IndexOf(folder));
    EXPECT_EQ(S().STR_ZUNRCForm_Button_Clean, u"Clean") << U8(folder);
    if (program.Test().IsSubstitute() && std::u16string_view(folder).substr(0, 4) == u"Utf8") {
      EXPECT_EQ(U8(S().STR_ZUNRCForm_Button_Scan), "Prüfen") << U8(folder);
    }
  }
  EXPECT_EQ(Langs().GetLanguageName(IndexOf(u"Junk")), u"Junk");
  EXPECT_EQ(Langs().GetLanguageID(IndexOf(u"Junk")), -1);
}

}  // namespace
}  // namespace ovalin
