#include "localisation/app_multi_fonts.h"

#include <gtest/gtest.h>

#include <set>

#include "localisation/language_packs_fixture.h"

namespace ovalin {
namespace {

using testing::U8;

TEST(FontPropertyTest, SpecsSetOnlyTheFieldsTheyFlag) {
  const struct {
    const char16_t* fontText;
    std::uint32_t flags;
    const char16_t* name;
    std::int32_t size;
    TFontStyles style;
    std::uint32_t color;
    TFontPitch pitch;
    std::int32_t height;
  } cases[] = {
      {u"Tahoma,10,1,16777215,0,0", 0x3F, u"Tahoma", 10, fsBold, 0xFFFFFF, TFontPitch::fpDefault, 0},
      {u"Tahoma,8,2,255", 0x0F, u"Tahoma", 8, fsUnderline, 0xFF0000, TFontPitch::fpDefault, 0},
      {u"Arial,,12", 0x03, u"Arial", 12, 0, 0, TFontPitch::fpDefault, 0},
      {u"Arial| 9 |8", 0x07, u"Arial", 9, fsItalic, 0, TFontPitch::fpDefault, 0},
      {u"X,1,15", 0x07, u"X", 1, fsBold | fsItalic | fsUnderline | fsStrikeOut, 0,
       TFontPitch::fpDefault, 0},
      {u"X,1,0,16711680,0,0,2,20,99", 0xFF, u"X", 1, 0, 0x0000FF, TFontPitch::fpFixed, 20},
      {u"X,1,0,$FF00FF00,0,0,3", 0x7F, u"X", 1, 0, 0x00FF00, TFontPitch::fpVariable, 0},
      {u" \t,big,bold,red", 0x00, u"", 0, 0, 0, TFontPitch::fpDefault, 0},
      {u"", 0x00, u"", 0, 0, 0, TFontPitch::fpDefault, 0},
      {u",,,|||", 0x00, u"", 0, 0, 0, TFontPitch::fpDefault, 0},
  };
  for (const auto& c : cases) {
    TKelFontProperty property(c.fontText);
    EXPECT_EQ(property.FormatString(), c.fontText);
    EXPECT_EQ(property.Flags(), c.flags) << U8(c.fontText);
    EXPECT_EQ(property.Name(), c.name) << U8(c.fontText);
    EXPECT_EQ(property.Size(), c.size) << U8(c.fontText);
    EXPECT_EQ(property.Style(), c.style) << U8(c.fontText);
    EXPECT_EQ(property.Color(), c.color) << U8(c.fontText);
    EXPECT_EQ(property.Pitch(), c.pitch) << U8(c.fontText);
    EXPECT_EQ(property.Height(), c.height) << U8(c.fontText);
  }
}

TEST(FontPropertyTest, ApplyingChangesOnlyFlaggedPropertiesAndNeverTheHeight) {
  TKelFont font;
  font.SetCharset(134);
  font.SetOrientation(900);
  font.SetHeight(-11);
  TKelFontProperty property;
  property.ChangeFont(font, u"Verdana,8,2,255,,,1,40");
  EXPECT_EQ(font.Name(), u"Verdana");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Style(), fsUnderline);
  EXPECT_EQ(font.Color(), 0xFF0000u);
  // The empty fields are dropped, so 1 and 40 are the fifth and sixth fields.
  EXPECT_EQ(font.Charset(), 1);
  EXPECT_EQ(font.Orientation(), 40);
  EXPECT_EQ(font.Pitch(), TFontPitch::fpDefault);
  EXPECT_EQ(font.Height(), -11);
  TKelFont untouched;
  untouched.SetCharset(134);
  TKelFontProperty(u"Tahoma,8,2,255").ChangeFont(untouched);
  EXPECT_EQ(untouched.Charset(), 134);
  TKelFontProperty(u"X,1,0,0,300").ChangeFont(untouched);
  EXPECT_EQ(untouched.Charset(), 300 & 0xFF);
}

TEST(BuiltInFontsTest, FifteenSpecsAndFiftyFiveKeys) {
  testing::TestPlatform test;
  TKelMultiFonts base(test.Get());
  LoadBaseFonts(base);
  ASSERT_EQ(base.Count(), 15);
  EXPECT_EQ(base.FindFontOfID(4)->FormatString(), u"Tahoma,12,1,16777215,0,0");
  EXPECT_EQ(base.FindFontOfID(15)->FormatString(), u"Tahoma,8,2,8421504");
  EXPECT_EQ(base.FindFontOfID(16), nullptr);

  TAppFontVars vars;
  TKelMultiFontVars table;
  BindAppFontVars(vars, table);
  ASSERT_EQ(table.Count(), 55);
  std::map<std::int32_t, int> perId;
  std::set<std::u16string> names;
  for (int i = 0; i < table.Count(); ++i) {
    ++perId[table.GetValue(i)];
    EXPECT_TRUE(names.insert(table.GetName(i)).second);
    EXPECT_EQ(table.GetName(i), kFontKeyDefaults[static_cast<std::size_t>(i)].key);
  }
  EXPECT_EQ(perId, (std::map<std::int32_t, int>{{1, 28}, {3, 13}, {4, 5}, {7, 1}, {11, 8}}));
  EXPECT_EQ(table.GetDefaultValue(vars.FONT_ZUNRCForm_Title), 4);
  std::int32_t unbound = 5;
  EXPECT_EQ(table.GetDefaultValue(unbound), 0);
  table.Add(vars.FONT_About, u"AGAIN");
  EXPECT_EQ(table.Count(), 55);
}

class FontFileTest : public testing::LanguagePacksTest {};

TEST_F(FontFileTest, PackFontsApplyOverTheBuiltInSpecOfTheDefaultId) {
  WritePack(u"P", Pack("P", "2052", ""));
  WriteFonts(u"P",
             "[_Fonts_]\n9=SimSun\n0x9=Ignored\n-3=Negative\nabc=Word\n20=Arial,11\n"
             "[FontPropertyIDs]\nFONT_ZUNRCForm_Title=9\nFONT_ZUNRCForm_Button_Scan=33\n"
             "FONT_About=nine\nFONT_ZUNRCForm=0x14\n");
  ASSERT_TRUE(Langs().Parse(u"Langs"));
  Langs().SetIndex(0);
  EXPECT_EQ(localisation.MultiFonts.Count(), 3);
  EXPECT_EQ(localisation.MultiFonts.FindFontOfID(9)->FormatString(), u"SimSun");
  auto& vars = localisation.FontVars;
  EXPECT_EQ(vars.FONT_About, 0);
  EXPECT_EQ(vars.FONT_ZUNRCForm, 20);

  int notifications = 0;
  TKelFont title;
  title.OnChange = [&] { ++notifications; };
  localisation.ChangeFontOfVariable(title, vars.FONT_ZUNRCForm_Title);
  EXPECT_EQ(title.Name(), u"SimSun");
  EXPECT_EQ(title.Size(), 12);
  EXPECT_EQ(title.Style(), fsBold);
  EXPECT_EQ(title.Color(), 0xFFFFFFu);
  EXPECT_EQ(notifications, 0);
  ASSERT_TRUE(title.OnChange);  // reattached afterwards
  title.SetSize(3);
  EXPECT_EQ(notifications, 1);

  TKelFont button;
  button.SetName(u"Designed");
  localisation.ChangeFontOfVariable(button, vars.FONT_ZUNRCForm_Button_Scan);  // ID 33 missing
  EXPECT_EQ(button.Name(), u"Designed");
  localisation.ChangeFontOfVariable(button, vars.FONT_About);  // 0: leave alone
  EXPECT_EQ(button.Name(), u"Designed");
  EXPECT_EQ(button.Size(), 8);
}

TEST_F(FontFileTest, MissingOrJunkFontFilesLeaveTheTableAsItWas) {
  TAppMultiFonts& fonts = localisation.MultiFonts;
  EXPECT_FALSE(fonts.LoadFromIni(program.ProgramFolder() + u"none.ini"));
  fonts.SetFontOfID(2, u"Arial");
  fonts.SetFontOfID(2, u"Verdana");
  EXPECT_EQ(fonts.Count(), 1);
  EXPECT_EQ(fonts.FindFontOfID(2)->Name(), u"Verdana");
  EXPECT_FALSE(fonts.LoadFromIni(program.ProgramFolder() + u"none.ini"));
  EXPECT_EQ(fonts.Count(), 1);
  std::string junk;
  for (int i = 0; i < 2000; ++i) junk += static_cast<char>((i * 31) & 0xFF);
  program.Write(program.ProgramFolder() + u"junk.ini", junk);
  fonts.LoadFromIni(program.ProgramFolder() + u"junk.ini");  // whatever it holds, no harm
  TKelFont font;
  fonts.ChangeFontOfIndex(font, 99, nullptr);
  EXPECT_EQ(font.Name(), u"Tahoma");
}

TEST_F(FontFileTest, SaveWritesTheTableAndTheVariables) {
  TAppMultiFonts& fonts = localisation.MultiFonts;
  fonts.SetFontOfID(5, u"Arial,9");
  localisation.FontVars.FONT_About = 5;
  const std::u16string file = program.ProgramFolder() + u"saved.ini";
  ASSERT_TRUE(fonts.SaveToIni(file));
  IniFile ini(program.Get().profiles, file);
  EXPECT_EQ(ini.ReadString(u"_Fonts_", u"5", u""), u"Arial,9");
  EXPECT_EQ(ini.ReadString(u"FontPropertyIDs", u"FONT_About", u""), u"5");
  EXPECT_EQ(ini.ReadString(u"FontPropertyIDs", u"FONT_ZUNRCForm_Title", u""), u"4");
}

}  // namespace
}  // namespace ovalin
