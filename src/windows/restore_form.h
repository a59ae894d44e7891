// TfrmZUNRCRestore: lists the backup sets of earlier cleans; restores one, deletes one
// or deletes all, through the main window's engine.
#pragma once

#include <windows.h>

#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_title_bar.h"
#include "engine/reg_cleaner.h"
#include "localisation/dyn_string.h"
#include "windows/app_services.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmZUNRCRestore : public controls::TKelForm, public LocalisedWindow {
 public:
  TfrmZUNRCRestore(AppServices& app, TRCRegCleaner& cleaner) : app_(app), RegCleaner_(cleaner) {}
  ~TfrmZUNRCRestore() override;
  bool Build(HWND owner);
  void RefreshMultiLangs() override;

 protected:
  bool ShortcutKey(UINT virtualKey) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormShow();
  void RefreshBackupList();
  void lstBackupItemsSelectItem();
  void actRestoreExecute();
  void actDeleteExecute();
  void actDeleteAllExecute();
  // The context menu of a set: "Save as .reg file...".
  void lstBackupItemsContextMenu(LPARAM lParam);
  void actSaveAsRegExecute();
  void BeginRestore();
  void EndRestore();
  void Layout();
  int SelectedRow() const;
  void SelectRow(int row);
  TRCRescueItem* ItemOfRow(int row) const;
  // The row of the set whose data file is path, or -1.
  int RowOfFile(const std::u16string& path) const;
  std::u16string DateText(const TRCRescueItem& item) const;
  void SetStatus(const std::u16string& format, std::vector<TKelDynString::Arg> args = {});
  void ShowMessage(const std::u16string& format, const std::u16string& argument);
  bool FileExists(const std::u16string& path) const;

  AppServices& app_;
  TRCRegCleaner& RegCleaner_;
  controls::TKelImage imgBackground;
  controls::TKelTitleBar lblTitleBar;
  controls::TKelImageButton btnClose;
  controls::TKelLabel lblHint;
  controls::TKelLabel lblBackupItems;
  HWND lstBackupItems = nullptr;
  controls::TKelImageButton btnRefresh;
  controls::TKelImageButton btnDelete;
  controls::TKelImageButton btnDeleteAll;
  controls::TKelImageButton btnRestore;
  controls::TKelLabel lblStatus;
  TKelDynString FStatusDynString;
  TKelFont listFont_;
  controls::GdiFontCache listFontCache_;
  bool shownOnce_ = false;
  bool filling_ = false;
};

}  // namespace ovalin::windows
