// TfrmZUNRCQuestion: asks before a clean and takes the description of the backup set.
#pragma once

#include <windows.h>

#include <string>

#include "controls/gdi_font.h"
#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_title_bar.h"
#include "windows/app_services.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmZUNRCQuestion : public controls::TKelForm, public LocalisedWindow {
 public:
  explicit TfrmZUNRCQuestion(AppServices& app) : app_(app) {}
  bool Build(HWND owner);

  // The text of the box without leading and trailing blanks and control characters.
  std::u16string Description() const;
  void SetDescription(const std::u16string& value);

  void RefreshMultiLangs() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void LayoutDescriptionRow();

  AppServices& app_;
  controls::TKelImage imgBackgound;
  controls::TKelTitleBar lblTitleBar;
  controls::TKelImageButton btnClose;
  controls::TKelLabel lblWarningTitle;
  controls::TKelLabel lblWarningDetails;
  controls::TKelLabel lblDescription;
  controls::TKelLabel lblQuestion;
  controls::TKelImageButton btnOK;
  controls::TKelImageButton btnCancel;
  HWND txtDescription = nullptr;
  TKelFont descriptionFont_;
  controls::GdiFontCache descriptionFontCache_;
  bool shownOnce_ = false;
};

// Trims blanks and control characters from both ends.
std::u16string TrimDescription(const std::u16string& text);

}  // namespace ovalin::windows
