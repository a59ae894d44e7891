#include "localisation/app_localisation.h"

namespace ovalin {

AppLocalisation::AppLocalisation(platform::Platform& platform, LanguageSettings* settings)
    : BaseFonts(platform),
      MultiFonts(platform, MultiFontVars),
      MultiLangs(platform, MultiLanguageVars, MultiFonts, settings, kStringsFileName, u"") {
  BindAppStrings(Strings, MultiLanguageVars);
  BindAppFontVars(FontVars, MultiFontVars);
  LoadBaseFonts(BaseFonts);
}

void AppLocalisation::ChangeFontOfVariable(TKelFont& font, const std::int32_t& variable) {
  ovalin::ChangeFontOfVariable(&MultiFonts, BaseFonts, MultiFontVars, font, variable);
}

}  // namespace ovalin
