#include "localisation/app_multi_langs.h"

#include "engine/text_utils.h"

namespace ovalin {
namespace {

constexpr std::u16string_view kStringSection = u"StringRes";
constexpr std::u16string_view kHomePage = u"https://www.ovalin.example/";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The profile functions trim blanks around a value and drop one pair of surrounding
// double quotes when reading; quoting such a value makes it read back as written.
std::u16string QuotedWhenNeeded(std::u16string value) {
  if (value.empty()) return value;
  const bool quoted = value.size() >= 2 && value.front() == u'"' && value.back() == u'"';
  if (IsBlank(value.front()) || IsBlank(value.back()) || quoted) return u"\"" + value + u"\"";
  return value;
}

}  // namespace

TAppMultiLangs::TAppMultiLangs(platform::Platform& platform, TKelMultiLanguageVars& vars,
                               TAppMultiFonts& multiFonts, LanguageSettings* settings,
                               std::u16string_view AIniFileName, std::u16string_view APath)
    : TKelMultiLanguages(platform, AIniFileName, APath),
      vars_(vars),
      multiFonts_(multiFonts),
      settings_(settings),
      FURLForum(std::u16string(kHomePage) + u"enforum"),
      FURLHomePage(kHomePage),
      FURLTechnicalSupportEmail(u"mailto:support@ovalin.example"),
      FURLResourceOnLine(kHomePage),
      FURLFocusOnProduct(std::u16string(kHomePage) + u"index.php/news/newslist"),
      FURLOfficialWebsite(kHomePage),
      FURLLiveUpdate(std::u16string(kHomePage) + u"software/updates/updates.ini") {}

bool TAppMultiLangs::DoLoadingStrings(IniFile& iniFile) {
  TKelMultiLanguages::DoLoadingStrings(iniFile);
  for (int i = 0; i < vars_.Count(); ++i) {
    const auto value = iniFile.Read(kStringSection, vars_.GetName(i));
    if (value) vars_.SetValue(i, StrEscapes(*value, true));
  }
  const std::u16string* title = vars_.FindVariable(u"STR_ApplicationTitle");
  if (settings_ != nullptr) {
    if (title != nullptr && !title->empty()) {
      settings_->SetApplicationTitle(*title);
    } else {
      settings_->SetApplicationTitle(settings_->ApplicationTitleDup());
    }
  }
  return true;
}

bool TAppMultiLangs::DoSavingStrings(IniFile& iniFile) {
  TKelMultiLanguages::DoSavingStrings(iniFile);
  for (int i = 0; i < vars_.Count(); ++i) {
    iniFile.WriteString(kStringSection, vars_.GetName(i),
                        QuotedWhenNeeded(StrEscapes(vars_.GetValue(i), false)));
  }
  return true;
}

void TAppMultiLangs::DoLanguageChanged() {
  TKelMultiLanguages::DoLanguageChanged();
  FHelpFile = CurrentLanguagePath() + u"help.chm";
  FHelpFileIntroduction = FHelpFile;
  FHelpFileQuickStart = FHelpFile;
  LoadMultiFonts(multiFonts_, CurrentLanguagePath());
  // A configuration file that cannot be written must not keep the windows from
  // following the new language; the next orderly exit writes the ID again.
  if (settings_ != nullptr) settings_->SetLanguageID(static_cast<std::uint16_t>(CurrentLanguageID()));
  if (refreshWindows_) refreshWindows_();
}

}  // namespace ovalin
