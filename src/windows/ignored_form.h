// TfrmIgnored: the entries a person chose to ignore (scan type, key path, value name),
// with Remove and Remove All. Every change is written to the ignore list's file at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/gdi_font.h"
#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_title_bar.h"
#include "engine/ignore_list.h"
#include "windows/app_services.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmIgnored : public controls::TKelForm, public LocalisedWindow {
 public:
  using NameOfType = std::function<std::u16string(std::uint32_t scanType)>;

  TfrmIgnored(AppServices& app, IgnoreList& list, NameOfType typeName)
      : app_(app), list_(list), typeName_(std::move(typeName)) {}
  bool Build(HWND owner);
  void RefreshMultiLangs() override;

 protected:
  bool ShortcutKey(UINT virtualKey) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillList();
  void UpdateButtons();
  void actRemoveExecute();
  void actRemoveAllExecute();
  // Writes the list; tells the person when the file could not be written.
  void SaveList();
  int SelectedRow() const;

  AppServices& app_;
  IgnoreList& list_;
  NameOfType typeName_;
  controls::TKelImage imgBackground;
  controls::TKelTitleBar lblTitleBar;
  controls::TKelImageButton btnSysClose;
  controls::TKelLabel lblHint;
  controls::TKelLabel lblItems;
  HWND lstIgnored = nullptr;
  controls::TKelImageButton btnRemove;
  controls::TKelImageButton btnRemoveAll;
  controls::TKelImageButton btnClose;
  TKelFont listFont_;
  controls::GdiFontCache listFontCache_;
  bool shownOnce_ = false;
};

}  // namespace ovalin::windows
