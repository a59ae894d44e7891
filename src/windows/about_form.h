// TfrmAbout: the program's title, version, copyright and the maker's links.
#pragma once

#include <windows.h>

#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_scroll_box.h"
#include "controls/kel_title_bar.h"
#include "windows/app_services.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmAbout : public controls::TKelForm, public LocalisedWindow {
 public:
  explicit TfrmAbout(AppServices& app) : app_(app) {}
  bool Build(HWND owner);
  void RefreshMultiLangs() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  AppServices& app_;
  controls::TKelImage imgBackground;
  controls::TKelTitleBar lblTitleBar;
  controls::TKelImageButton btnSysClose;
  controls::TKelImage imgLogo;
  controls::TKelLabel lblApplictionTitle;
  controls::TKelLabel lblVersion;
  controls::TKelLabel lblCopyright;
  controls::TKelURLLabel lblOfficialWebsite;
  controls::TKelURLLabel lblTechnicalSupportEmail;
  controls::TKelLabel lblProductOverview;
  controls::TKelScrollBox lstProductInfo;
  controls::TKelLabel lblWarning;
  controls::TKelLabel lblSpacer;
  controls::TKelImageButton btnClose;
  bool shownOnce_ = false;
};

}  // namespace ovalin::windows
