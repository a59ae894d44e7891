// TfrmZUNRC: the main window. The user chooses scan types in the findings list, scans,
// reviews and checks the findings, cleans them, opens the restore window and the help
// menu. The window owns the cleaning engine and drives it; events of the scan worker
// reach this window's thread in order through a ScanEventQueue.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/kel_button.h"
#include "controls/kel_form.h"
#include "controls/kel_image.h"
#include "controls/kel_label.h"
#include "controls/kel_title_bar.h"
#include "engine/ignore_list.h"
#include "engine/reg_cleaner.h"
#include "findings_model/scan_event_queue.h"
#include "windows/app_services.h"
#include "windows/findings_list_view.h"
#include "windows/localised_window.h"

namespace ovalin::windows {

class TfrmZUNRCProgress;

class TfrmZUNRC : public controls::TKelForm, public LocalisedWindow {
 public:
  explicit TfrmZUNRC(AppServices& app);
  ~TfrmZUNRC() override;

  // Creates the window, hidden.
  bool Build();
  void RefreshMultiLangs() override;
  void LoadLangMenuItems();
  // Refreshes every window of the program that is visible (after a change of language).
  void RefreshVisibleWindows();
  // F1 anywhere in this window. True when msg was used.
  bool HandleShortcut(const MSG& msg);

  TRCRegCleaner& RegCleaner() { return *RegCleaner_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Handlers.
  void FormShow();
  void actScanExecute();
  void actCleanExecute();
  void actRestoreExecute();
  void actCloseExecute();
  void actHelpFileExecute();  // opens the help menu under btnHelp
  void actHelpHelpFileExecute();
  void actHelpTechnicalSupportExecute();
  void actHelpHomePageExecute();
  void actHelpForumExecute();
  void actHelpAboutExecute();
  void actHelpIgnoredEntriesExecute();
  void imgLogoClick();
  void ChooseLanguage(int position);
  void StartScan();
  void StartClean();
  void FormClose();

  // Engine events (the scan ones on the worker thread).
  void RegCleanerScanningOnWorker(const ScanningEventArgs& args);
  void DrainScanEvents();
  void RegCleanerEndScan();
  void RegCleanerCleaning(int percent);
  void RegCleanerEndClean();

  // The findings list.
  void BuildScanTypeRows();
  void CollectScanTypes();
  void RefreshFindingRows();
  void UpdateCleanButton();
  void UpdateRestoreButton();
  void ShowLastCleanTime();
  std::u16string ScanTypeName(std::uint32_t scanType) const;
  std::u16string ErrorCodeText(std::uint32_t errorCode) const;
  std::u16string lstRegistryItemsGetText(RowRef row, int column) const;
  std::u16string lstRegistryItemsGetTip(RowRef row) const;
  // The context menu of a finding row: open in regedit, copy the key path, ignore.
  void lstRegistryItemsContextMenu(RowRef row, POINT screen);
  void IgnoreFinding(const TNodeDataClass& finding);
  // Writes the ignore list; tells the person when its file could not be written.
  void SaveIgnoreList();
  // After a clean whose backup index could not be written: names the backup's file.
  void ReportUnrecordedBackup();
  void LayoutLinks();
  void SetScanTypes(std::uint32_t scanTypes);
  std::uint32_t ScanTypes() const;

  template <typename Form>
  int ShowDialog(Form& form);

  AppServices& app_;
  std::unique_ptr<TRCRegCleaner> RegCleaner_;
  // Read by the scan worker: changed only while no scan runs.
  IgnoreList ignoreList_;
  // Broken entries of the last scan not listed because they are ignored.
  int FIgnoredCount = 0;
  ScanEventQueue scanEvents_;

  controls::TKelImage imgBackground;
  controls::TKelTitleBar lblTitleBar;
  controls::TKelImageButton btnHelp;
  controls::TKelImageButton btnMinimize;
  controls::TKelImageButton btnClose;
  controls::TKelImage imgTitle;
  controls::TKelLabel lblTopicTitle;
  controls::TKelLabel lblTopicSubtitle;
  controls::TKelImage imgLogo;
  controls::TKelLabel lblScanningItems;
  FindingsListView lstRegistryItems;
  controls::TKelURLLabel lblSelectAll;
  controls::TKelURLLabel lblSelectNone;
  controls::TKelURLLabel lblRecommended;
  controls::TKelImageButton btnScan;
  controls::TKelImageButton btnClean;
  controls::TKelImageButton btnRestore;
  controls::TKelLabel lblStatus;
  HMENU pmnHelp = nullptr;
  HMENU mniHelpLanguage = nullptr;

  std::int32_t FScanCount = 0;
  std::int32_t FCleanCount = 0;
  std::vector<int> FClean_IndexList;
  std::vector<int> FClean_FailedList;
  std::int32_t FVTLevel1CheckedCount = 0;  // mirrors the list model's counter
  std::u16string FRescueName;

  TfrmZUNRCProgress* progress_ = nullptr;  // while the progress window exists
  LocalisedWindow* dialog_ = nullptr;      // the dialog shown over this window, if any
  bool shown_ = false;
  bool scanRunning_ = false;
};

}  // namespace ovalin::windows
