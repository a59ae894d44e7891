// The language packs we ship: each defines exactly the keys of the string table, keeps
// the placeholders of every default in the same order, and loads through the platform's
// profile functions in the form the build installs (UTF-16 LE with byte-order mark).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "localisation/app_multi_fonts.h"
#include "localisation/dyn_string.h"
#include "localisation/font_keys.h"
#include "localisation/font_property.h"
#include "localisation/int_text.h"
#include "engine/text_utils.h"
#include "localisation/language_packs_fixture.h"

namespace ovalin {
namespace {

using testing::U16;
using testing::U8;

struct ShippedPack {
  const char* folder;
  std::int32_t languageId;
  // The source the build installs as the pack's RegistryCleanerFonts.ini.
  const char* fontsSource;
};

constexpr char kStandardFonts[] = "StandardFonts.ini";
constexpr ShippedPack kPacks[] = {
    {"English", 1033, kStandardFonts},
    {"German", 1031, kStandardFonts},
    {"French", 1036, kStandardFonts},
    {"SimplifiedChinese", 2052, "SimplifiedChinese/RegistryCleanerFonts.ini"},
};

std::string ReadSource(const std::string& relative) {
  std::string path = std::string(OVALIN_LANGS_DIR) + "/" + relative;
#ifdef _WIN32
  path = "Z:" + path;  // Wine maps the host's root onto drive Z
#endif
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The placeholders of a format text, in order ("%d", "%s", ...; "%%" is not one).
std::vector<std::u16string> Placeholders(std::u16string_view text) {
  std::vector<std::u16string> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    if (i + 1 < text.size() && text[i + 1] == u'%') {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && std::u16string_view(u"-.0123456789").find(text[end]) !=
                                    std::u16string_view::npos) {
      ++end;
    }
    found.emplace_back(text.substr(i, end + 1 - i));
    i = end;
  }
  return found;
}

class ShippedPacksTest : public testing::LanguagePacksTest {
 protected:
  void SetUp() override {
    for (const ShippedPack& pack : kPacks) {
      const std::string strings = ReadSource(std::string(pack.folder) + "/RegistryCleanerStrs.ini");
      ASSERT_FALSE(strings.empty()) << pack.folder;
      program.Write(PackFolder(U16(pack.folder)) + u"RegistryCleanerStrs.ini",
                    testing::Utf16File(strings));
      const std::string fonts = ReadSource(pack.fontsSource);
      ASSERT_FALSE(fonts.empty()) << pack.fontsSource;
      program.Write(PackFolder(U16(pack.folder)) + u"RegistryCleanerFonts.ini",
                    testing::Utf16File(fonts));
    }
    ASSERT_TRUE(Langs().Parse(u"Langs"));
    ASSERT_EQ(Langs().Count(), 4);
  }
};

TEST_F(ShippedPacksTest, EveryPackDefinesExactlyTheKeysWithTheDefaultsPlaceholders) {
  std::set<std::u16string> tableKeys;
  for (const auto& key : kStringKeyDefaults) tableKeys.insert(StrUpper(key.key));
  for (const ShippedPack& pack : kPacks) {
    SCOPED_TRACE(pack.folder);
    const int index = IndexOf(U16(pack.folder));
    ASSERT_GE(index, 0);
    EXPECT_EQ(Langs().GetLanguageID(index), pack.languageId);
    IniFile ini(program.Get().profiles, Langs().GetStringResFile(index));
    std::set<std::u16string> packKeys;
    for (const std::u16string& key : ini.KeyNames(u"StringRes")) {
      EXPECT_TRUE(packKeys.insert(StrUpper(key)).second) << "twice: " << U8(key);
    }
    EXPECT_EQ(packKeys, tableKeys);

    Langs().SetIndex(index);
    for (int i = 0; i < localisation.MultiLanguageVars.Count(); ++i) {
      const std::u16string name = localisation.MultiLanguageVars.GetName(i);
      const std::u16string text = localisation.MultiLanguageVars.GetValue(i);
      EXPECT_EQ(Placeholders(text), Placeholders(localisation.MultiLanguageVars.GetDefaultValue(i)))
          << U8(name) << " = " << U8(text);
      if (name != u"STR_ApplicationTitle") {
        EXPECT_FALSE(text.empty()) << U8(name);
      }
    }
  }
}

TEST_F(ShippedPacksTest, PacksGiveTheirOwnTextsAndFonts) {
  TAppStrings& s = localisation.Strings;
  Langs().SetCurrentLanguageID(2052);
  EXPECT_EQ(U8(s.STR_ZUNRCForm_Button_Scan), "扫描");
  EXPECT_EQ(U8(s.STR_ZUNRCForm_4), "  [%d 项]");
  TKelDynString report(s.STR_ZUNRCForm_7, {FormatArg::Int(3), FormatArg::Int(2),
                                           FormatArg::Int(1), FormatArg::Text(u"10:00")});
  EXPECT_NE(report.Value(), u"");
  TKelFont title;
  localisation.ChangeFontOfVariable(title, localisation.FontVars.FONT_ZUNRCForm_Title);
  EXPECT_EQ(title.Name(), u"Microsoft YaHei");
  EXPECT_EQ(title.Size(), 12);
  EXPECT_EQ(title.Style(), fsBold);
  EXPECT_EQ(title.Color(), 0xFFFFFFu);
  EXPECT_EQ(title.Charset(), 134);  // GB2312: a Chinese font stands in where YaHei is missing

  Langs().SetCurrentLanguageID(1031);
  EXPECT_EQ(U8(s.STR_ZUNRCRestoreForm_List_Restore2), "Größe");
  EXPECT_NE(report.Value(), u"");
  Langs().SetCurrentLanguageID(1036);
  EXPECT_EQ(U8(s.STR_ZUNRCForm_Button_Scan), "Analyser");
  Langs().SetCurrentLanguageID(1033);
  EXPECT_EQ(U8(s.STR_About_Label_TechnicalSupportEmail), "Contact Us");
  EXPECT_EQ(U8(s.STR_ZUNRCForm_1), "Found so far: %d\r\nScanning: %s");
  EXPECT_EQ(U8(report.Value()),
            "1. Found: 3\r\n2. Selected for cleaning: 2\r\n3. Cleaned: 1\r\n\r\n"
            "Time of cleaning: 10:00");
}

// What a native reader of each pack would trip over, pack by pack: counts that need a
// plural ("1 items"), French punctuation that an ordinary space lets wrap onto the next
// line, two German words for one thing, a Chinese word that reads oddly.
TEST_F(ShippedPacksTest, TextsReadAsANativeSpeakerExpects) {
  struct Rule {
    std::int32_t languageId;
    const char* unwanted;  // UTF-8
    const char* why;
  };
  const Rule rules[] = {
      {1033, "%d items", "a count before a plural noun reads \"1 items\""},
      {1033, "%d Items", "a count before a plural noun reads \"1 Items\""},
      {1036, " :", "a colon takes a non-breaking space before it"},
      {1036, " ;", "a semicolon takes a non-breaking space before it"},
      {1036, " ?", "a question mark takes a non-breaking space before it"},
      {1036, "%d éléments", "a count before a plural noun"},
      {1031, "%d Einträge", "a count before a plural noun"},
      {1031, "Rücksicher", "restoring is \"Wiederherstellen\" in titles and on buttons"},
      {2052, "询问", "the confirmation window is titled \"确认\""},
      {2052, "的CLSID", "a space between Chinese and Latin text"},
  };
  for (const Rule& rule : rules) {
    SCOPED_TRACE(rule.why);
    Langs().SetCurrentLanguageID(rule.languageId);
    ASSERT_EQ(Langs().CurrentLanguageID(), rule.languageId);
    for (int i = 0; i < localisation.MultiLanguageVars.Count(); ++i) {
      const std::string text = U8(localisation.MultiLanguageVars.GetValue(i));
      EXPECT_EQ(text.find(rule.unwanted), std::string::npos)
          << U8(localisation.MultiLanguageVars.GetName(i)) << " = " << text;
    }
  }
}

// Every font file names each font key exactly once, with an ID it defines: a key left
// out would keep the font of the pack used before.
TEST_F(ShippedPacksTest, FontFilesNameEveryKeyWithADefinedId) {
  for (const ShippedPack& pack : kPacks) {
    SCOPED_TRACE(pack.folder);
    const int index = IndexOf(U16(pack.folder));
    IniFile ini(program.Get().profiles,
                Langs().GetLanguagePath(index) + u"RegistryCleanerFonts.ini");
    std::set<std::u16string> missing;
    for (const auto& key : kFontKeyDefaults) missing.insert(std::u16string(key.key));
    for (const std::u16string& key : ini.KeyNames(u"FontPropertyIDs")) {
      EXPECT_EQ(missing.erase(key), 1u) << "unknown or repeated key " << U8(key);
      const auto id = ParseInt32(ini.ReadString(u"FontPropertyIDs", key, u""));
      ASSERT_TRUE(id.has_value()) << U8(key);
      EXPECT_TRUE(ini.Read(u"_Fonts_", U16(std::to_string(*id))).has_value()) << U8(key);
    }
    for (const std::u16string& key : missing) ADD_FAILURE() << "no entry for " << U8(key);
  }
}

// After the Chinese pack, each other pack gives every element its built-in font again:
// the built-in font text of the element's default ID over the font it was designed with.
TEST_F(ShippedPacksTest, AfterChineseTheOtherPacksGiveTheBuiltInFontsBack) {
  auto same = [](const TKelFont& a, const TKelFont& b) {
    return a.Name() == b.Name() && a.Size() == b.Size() && a.Style() == b.Style() &&
           a.Color() == b.Color() && a.Charset() == b.Charset() &&
           a.Orientation() == b.Orientation() && a.Pitch() == b.Pitch();
  };
  for (const ShippedPack& pack : kPacks) {
    if (pack.languageId == 2052) continue;
    SCOPED_TRACE(pack.folder);
    std::vector<TKelFont> fonts(kFontKeyDefaults.size());
    auto applyAll = [&] {
      std::size_t i = 0;
#define OVALIN_APPLY_FONT_KEY(key, id) \
  localisation.ChangeFontOfVariable(fonts[i++], localisation.FontVars.key);
      OVALIN_FONT_KEYS(OVALIN_APPLY_FONT_KEY)
#undef OVALIN_APPLY_FONT_KEY
    };
    Langs().SetCurrentLanguageID(2052);
    applyAll();
    EXPECT_EQ(fonts[0].Charset(), 134);
    Langs().SetCurrentLanguageID(pack.languageId);
    applyAll();
    for (std::size_t i = 0; i < fonts.size(); ++i) {
      TKelFont expected;
      TKelFontProperty(kBaseFontSpecs[static_cast<std::size_t>(kFontKeyDefaults[i].fontId - 1)])
          .ChangeFont(expected);
      EXPECT_TRUE(same(fonts[i], expected))
          << U8(kFontKeyDefaults[i].key) << ": " << U8(fonts[i].Name()) << " "
          << fonts[i].Size() << " charset " << int{fonts[i].Charset()};
    }
  }
}

}  // namespace
}  // namespace ovalin
