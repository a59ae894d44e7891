#include "localisation/app_multi_fonts.h"

#include <string>

#include "localisation/int_text.h"

namespace ovalin {
namespace {

constexpr std::u16string_view kFontIdsSection = u"FontPropertyIDs";

}  // namespace

const std::array<FontKeyDefault, kFontKeyCount> kFontKeyDefaults = {{
#define OVALIN_FONT_KEY_DEFAULT(key, id) {u## #key, id},
    OVALIN_FONT_KEYS(OVALIN_FONT_KEY_DEFAULT)
#undef OVALIN_FONT_KEY_DEFAULT
}};

const std::array<std::u16string_view, 15> kBaseFontSpecs = {
    u"Tahoma,8,0,0,0,0",         u"Tahoma,10,1,16777215,0,0", u"Tahoma,10,1,0,0,0",
    u"Tahoma,12,1,16777215,0,0", u"Tahoma,12,1,0,0,0",        u"Tahoma,12,1,16777215,0,0",
    u"Tahoma,14,1,0,0,0",        u"Tahoma,14,1,16777215,0,0", u"Tahoma,16,1,0,0,0",
    u"Tahoma,16,1,16777215,0,0", u"Tahoma,8,2,255,0,0",       u"Tahoma,8,0,16711680,0,0",
    u"Tahoma,12,1,16711680,0,0", u"Tahoma,10,0,0,0,0",        u"Tahoma,8,2,8421504",
};

void BindAppFontVars(TAppFontVars& vars, TKelMultiFontVars& table) {
#define OVALIN_BIND_FONT_VAR(key, id) table.Add(vars.key, u## #key);
  OVALIN_FONT_KEYS(OVALIN_BIND_FONT_VAR)
#undef OVALIN_BIND_FONT_VAR
}

void LoadBaseFonts(TKelMultiFonts& table) {
  for (std::size_t i = 0; i < kBaseFontSpecs.size(); ++i) {
    table.SetFontOfID(static_cast<std::int32_t>(i + 1), kBaseFontSpecs[i]);
  }
}

bool TAppMultiFonts::DoLoadingFonts(IniFile& iniFile) {
  TKelMultiFonts::DoLoadingFonts(iniFile);
  for (int i = 0; i < fontVars_.Count(); ++i) {
    const auto value = iniFile.Read(kFontIdsSection, fontVars_.GetName(i));
    fontVars_.SetValue(i, value ? ParseInt32(*value).value_or(0) : 0);
  }
  return true;
}

bool TAppMultiFonts::DoSavingFonts(IniFile& iniFile) {
  TKelMultiFonts::DoSavingFonts(iniFile);
  for (int i = 0; i < fontVars_.Count(); ++i) {
    const std::string text = std::to_string(fontVars_.GetValue(i));
    iniFile.WriteString(kFontIdsSection, fontVars_.GetName(i),
                        std::u16string(text.begin(), text.end()));
  }
  return true;
}

bool LoadMultiFonts(TAppMultiFonts& multiFonts, std::u16string_view languagePath) {
  return multiFonts.LoadFromIni(std::u16string(languagePath) + std::u16string(kFontsFileName));
}

void ChangeFontOfVariable(TAppMultiFonts* multiFonts, TKelMultiFonts& baseFonts,
                          const TKelMultiFontVars& fontVars, TKelFont& font,
                          const std::int32_t& variable) {
  if (multiFonts == nullptr || variable == 0) return;
  TKelFontProperty* base = baseFonts.FindFontOfID(fontVars.GetDefaultValue(variable));
  multiFonts->ChangeFontOfID(font, variable, base);
}

}  // namespace ovalin
