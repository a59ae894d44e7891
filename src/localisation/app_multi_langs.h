// TAppMultiLangs: the program's language manager. Loading a pack fills every string
// variable from its "StringRes" section and sets the application title; every change of
// language then sets the help files, loads the pack's fonts, stores the language ID in
// the configuration and lets the windows refresh their texts.
#pragma once

#include <functional>
#include <string>

#include "localisation/app_multi_fonts.h"
#include "localisation/language_settings.h"
#include "localisation/multi_language_vars.h"
#include "localisation/multi_languages.h"

namespace ovalin {

constexpr std::u16string_view kStringsFileName = u"RegistryCleanerStrs.ini";

class TAppMultiLangs : public TKelMultiLanguages {
 public:
  // settings may be null (nothing is written then).
  TAppMultiLangs(platform::Platform& platform, TKelMultiLanguageVars& vars,
                 TAppMultiFonts& multiFonts, LanguageSettings* settings,
                 std::u16string_view AIniFileName, std::u16string_view APath);

  const std::u16string& URLForum() const { return FURLForum; }
  const std::u16string& URLHomePage() const { return FURLHomePage; }
  const std::u16string& URLTechnicalSupportEmail() const { return FURLTechnicalSupportEmail; }
  const std::u16string& URLResourceOnLine() const { return FURLResourceOnLine; }
  const std::u16string& URLFocusOnProduct() const { return FURLFocusOnProduct; }
  const std::u16string& URLOfficialWebsite() const { return FURLOfficialWebsite; }
  const std::u16string& URLLiveUpdate() const { return FURLLiveUpdate; }
  void SetURLForum(std::u16string value) { FURLForum = std::move(value); }
  void SetURLHomePage(std::u16string value) { FURLHomePage = std::move(value); }
  void SetURLTechnicalSupportEmail(std::u16string value) { FURLTechnicalSupportEmail = std::move(value); }
  void SetURLResourceOnLine(std::u16string value) { FURLResourceOnLine = std::move(value); }
  void SetURLFocusOnProduct(std::u16string value) { FURLFocusOnProduct = std::move(value); }
  void SetURLOfficialWebsite(std::u16string value) { FURLOfficialWebsite = std::move(value); }
  void SetURLLiveUpdate(std::u16string value) { FURLLiveUpdate = std::move(value); }
  const std::u16string& HelpFile() const { return FHelpFile; }
  const std::u16string& HelpFileIntroduction() const { return FHelpFileIntroduction; }
  const std::u16string& HelpFileQuickStart() const { return FHelpFileQuickStart; }

  // The windows register here how they refresh after a change of language: the
  // callback runs RefreshMultiLangs of each visible window in the fixed window order.
  void SetRefreshWindows(std::function<void()> refresh) { refreshWindows_ = std::move(refresh); }

 protected:
  bool DoLoadingStrings(IniFile& iniFile) override;
  bool DoSavingStrings(IniFile& iniFile) override;
  void DoLanguageChanged() override;

 private:
  TKelMultiLanguageVars& vars_;
  TAppMultiFonts& multiFonts_;
  LanguageSettings* settings_;
  std::function<void()> refreshWindows_;

  std::u16string FURLForum;
  std::u16string FURLHomePage;
  std::u16string FURLTechnicalSupportEmail;
  std::u16string FURLResourceOnLine;
  std::u16string FURLFocusOnProduct;
  std::u16string FURLOfficialWebsite;
  std::u16string FURLLiveUpdate;
  std::u16string FHelpFile;
  std::u16string FHelpFileIntroduction;
  std::u16string FHelpFileQuickStart;
};

}  // namespace ovalin
