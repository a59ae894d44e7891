// TfrmZUNReports: the summary after a clean, from a dynamic string so that it follows a
// change of language with the same numbers.
#pragma once

#include <windows.h>

#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_title_bar.h"
#include "localisation/dyn_string.h"
#include "windows/app_services.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmZUNReports : public controls::TKelForm, public LocalisedWindow {
 public:
  explicit TfrmZUNReports(AppServices& app) : app_(app) {}
  bool Build(HWND owner);
  TKelDynString& Report() { return FReportDynString; }
  void RefreshMultiLangs() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  AppServices& app_;
  controls::TKelImage imgBackgound;
  controls::TKelTitleBar lblTitleBar;
  controls::TKelImageButton btnClose;
  controls::TKelLabel lblReportsTitle;
  controls::TKelLabel lblReportsDetails;
  controls::TKelImageButton btnOK;
  TKelDynString FReportDynString;
  bool shownOnce_ = false;
};

}  // namespace ovalin::windows
