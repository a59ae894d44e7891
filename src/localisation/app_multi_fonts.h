// The program's font table: the 55 font variables (one font ID per "FONT_" key), the
// fifteen built-in font texts, the current pack's table (TAppMultiFonts, which also fills
// the font variables from "FontPropertyIDs") and ChangeFontOfVariable, which the
// windows call for each element when they apply the language.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "localisation/font_keys.h"
#include "localisation/multi_font_vars.h"
#include "localisation/multi_fonts.h"

namespace ovalin {

#define OVALIN_COUNT_FONT_KEY(key, id) +1
constexpr int kFontKeyCount = 0 OVALIN_FONT_KEYS(OVALIN_COUNT_FONT_KEY);
#undef OVALIN_COUNT_FONT_KEY

// The font file of a language pack.
constexpr std::u16string_view kFontsFileName = u"RegistryCleanerFonts.ini";

struct FontKeyDefault {
  std::u16string_view key;
  std::int32_t fontId;
};
extern const std::array<FontKeyDefault, kFontKeyCount> kFontKeyDefaults;

// The built-in font texts, IDs 1 to 15.
extern const std::array<std::u16string_view, 15> kBaseFontSpecs;

struct TAppFontVars {
#define OVALIN_DECLARE_FONT_VAR(key, id) std::int32_t key = id;
  OVALIN_FONT_KEYS(OVALIN_DECLARE_FONT_VAR)
#undef OVALIN_DECLARE_FONT_VAR

  TAppFontVars() = default;
  TAppFontVars(const TAppFontVars&) = delete;
  TAppFontVars& operator=(const TAppFontVars&) = delete;
};

void BindAppFontVars(TAppFontVars& vars, TKelMultiFontVars& table);
// Fills table with the built-in font texts, IDs 1 to 15.
void LoadBaseFonts(TKelMultiFonts& table);

class TAppMultiFonts : public TKelMultiFonts {
 public:
  TAppMultiFonts(platform::Platform& platform, TKelMultiFontVars& fontVars)
      : TKelMultiFonts(platform), fontVars_(fontVars) {}

 protected:
  // Sets every font variable from "FontPropertyIDs" (missing or invalid: 0).
  bool DoLoadingFonts(IniFile& iniFile) override;
  bool DoSavingFonts(IniFile& iniFile) override;

 private:
  TKelMultiFontVars& fontVars_;
};

// Loads "RegistryCleanerFonts.ini" of the pack folder (with trailing backslash).
bool LoadMultiFonts(TAppMultiFonts& multiFonts, std::u16string_view languagePath);

// Applies the font of variable to font: nothing when multiFonts is null or the variable
// holds 0; otherwise, when the pack's table has a font text for the variable's ID, first the
// built-in font text of the variable's default ID and then the pack's font text.
void ChangeFontOfVariable(TAppMultiFonts* multiFonts, TKelMultiFonts& baseFonts,
                          const TKelMultiFontVars& fontVars, TKelFont& font,
                          const std::int32_t& variable);

}  // namespace ovalin
