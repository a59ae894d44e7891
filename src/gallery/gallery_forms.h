// The gallery: one window with every skinned control in every state, and a dialog shown
// modally over it. The window's caption reports the last event ("clicked Flat", "dialog
// result 1", "second dialog refused"), so that the e2e test can read what happened.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_scroll_box.h"
#include "controls/kel_title_bar.h"

namespace ovalin::gallery {

class GalleryDialog : public controls::TKelForm {
 public:
  bool Build(HWND owner);
  // Reported by the button that tries to show a second dialog over the same owner.
  std::function<void(int result)> OnSecondDialog;

 private:
  controls::TKelImage background_;
  controls::TKelTitleBar title_;
  controls::TKelLabel text_;
  controls::TKelImageButton close_;
  controls::TKelImageButton ok_;
  controls::TKelImageButton cancel_;
  controls::TKelImageButton second_;
};

class GalleryWindow : public controls::TKelForm {
 public:
  bool Build();
  void Report(const std::u16string& event);

 private:
  void BuildLabels();
  void BuildButtons();
  void BuildScrollBox();
  void OpenDialog();
  controls::TKelImageButton& AddButton(const std::u16string& caption, int x, int y);

  controls::TKelImage background_;
  controls::TKelTitleBar title_;
  controls::TKelImage titlePicture_;
  controls::TKelImage logo_;
  controls::TKelLabel topicTitle_;
  controls::TKelLabel topicSubtitle_;
  std::vector<std::unique_ptr<controls::TKelLabel>> placements_;
  controls::TKelURLLabel link_;
  controls::TKelURLLabel visitedLink_;
  controls::TKelURLLabel disabledLink_;
  controls::TKelLabel status_;
  controls::TKelImageButton help_;
  controls::TKelImageButton minimize_;
  controls::TKelImageButton close_;
  std::vector<std::unique_ptr<controls::TKelImageButton>> buttons_;
  controls::TKelScrollBox scrollBox_;
  controls::TKelLabel scrollText_;
  std::unique_ptr<GalleryDialog> dialog_;
};

}  // namespace ovalin::gallery
