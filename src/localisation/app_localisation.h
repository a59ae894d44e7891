// The program's localisation objects, created together when the program starts and
// destroyed together at its end: the string variables and their key table, the font
// variables and their key table, the built-in font texts, the current pack's font table
// and the language manager. The objects refer to each other by address, so the bundle
// is neither copied nor moved.
#pragma once

#include "localisation/app_multi_fonts.h"
#include "localisation/app_multi_langs.h"
#include "localisation/app_strings.h"
#include "localisation/multi_language_vars.h"

namespace ovalin {

class AppLocalisation {
 public:
  // settings: the configuration that follows the language (may be null).
  AppLocalisation(platform::Platform& platform, LanguageSettings* settings);
  AppLocalisation(const AppLocalisation&) = delete;
  AppLocalisation& operator=(const AppLocalisation&) = delete;

  TAppStrings Strings;
  TKelMultiLanguageVars MultiLanguageVars;
  TAppFontVars FontVars;
  TKelMultiFontVars MultiFontVars;
  TKelMultiFonts BaseFonts;
  TAppMultiFonts MultiFonts;
  TAppMultiLangs MultiLangs;

  // ChangeFontOfVariable over this bundle's tables.
  void ChangeFontOfVariable(TKelFont& font, const std::int32_t& variable);
};

}  // namespace ovalin
