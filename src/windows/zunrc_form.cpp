#include "windows/zunrc_form.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "controls/clipboard.h"
#include "controls/do_modal.h"
#include "controls/system_programs.h"
#include "engine/path_judge.h"
#include "findings_model/error_code_key.h"
#include "localisation/finding_texts.h"
#include "rules/standard_rules.h"
#include "windows/about_form.h"
#include "windows/form_support.h"
#include "windows/ignored_form.h"
#include "windows/progress_form.h"
#include "windows/question_form.h"
#include "windows/registry_editor.h"
#include "windows/reports_form.h"
#include "windows/restore_form.h"

namespace ovalin::windows {

namespace {

constexpr UINT kDrainScanEvents = WM_APP + 1;
// The maker's separate update program beside the executable (the logo starts it). The
// maker's web and mail addresses are the language manager's (TAppMultiLangs).
constexpr char16_t kMakerUpdateProgram[] = u"Tarvel.exe";
// Findings added per drained message, so that the window repaints between batches.
constexpr std::size_t kFindingsPerDrain = 4000;
// The ignore list's file in the data folder.
constexpr char16_t kIgnoreListFile[] = u"Ignored.ini";

enum Command : UINT {
  kCmdHelpFile = 100,
  kCmdTechnicalSupport,
  kCmdHomePage,
  kCmdForum,
  kCmdAbout,
  kCmdIgnoredEntries,
  kCmdOpenInRegedit = 200,
  kCmdCopyKeyPath,
  kCmdIgnoreEntry,
  kCmdLanguageBase = 1000,
};

// Trace codes of this window.
constexpr std::uint32_t kTraceShowBegin = 0x10091006, kTraceShowEnd = 0x10092006;
constexpr std::uint32_t kTraceStartScanBegin = 0x10091007, kTraceStartScanEnd = 0x10092007;
constexpr std::uint32_t kTraceStartCleanBegin = 0x10091008, kTraceStartCleanEnd = 0x10092008;
constexpr std::uint32_t kTraceCloseBegin = 0x10091009, kTraceCloseEnd = 0x10092009;
constexpr std::uint32_t kTraceDestroyed = 0x10090020;
constexpr std::uint32_t kTraceScanRefused = 0x80090084, kTraceScanError = 0x80090085;
constexpr std::uint32_t kTraceCleanError = 0x80090086, kTraceCleanRefused = 0x80090087;

// The pack's name in upper case by the system's rules ("Français" -> "FRANÇAIS").
std::u16string Upper(std::u16string text) {
  if (!text.empty()) {
    CharUpperBuffW(reinterpret_cast<wchar_t*>(text.data()), static_cast<DWORD>(text.size()));
  }
  return text;
}

}  // namespace

TfrmZUNRC::TfrmZUNRC(AppServices& app)
    : app_(app),
      RegCleaner_(std::make_unique<TRCRegCleaner>(app.platform, StandardScanRules())),
      ignoreList_(app.platform.profiles),
      scanEvents_([this] {
        if (Handle() != nullptr) PostMessageW(Handle(), kDrainScanEvents, 0, 0);
      }) {
  RegCleaner_->SetRescueDir(app.configs.BasePath() + u"Data\\ZUNRC\\");
  ignoreList_.Load(app.configs.DataPath() + kIgnoreListFile);
  RegCleaner_->SetIgnoreList(&ignoreList_);
  RegCleaner_->OnScanning = [this](TRCRegCleaner&, const ScanningEventArgs& args) {
    RegCleanerScanningOnWorker(args);
  };
  RegCleaner_->OnEndScan = [this](TRCRegCleaner&) { scanEvents_.PushEndScan(); };
  RegCleaner_->OnCleaning = [this](TRCRegCleaner&, int percent) { RegCleanerCleaning(percent); };
  RegCleaner_->OnEndClean = [this](TRCRegCleaner&) { RegCleanerEndClean(); };
}

TfrmZUNRC::~TfrmZUNRC() {
  // No worker may report into a window that is gone.
  RegCleaner_->Stop();
  RegCleaner_->WaitForIdle();
  RegCleaner_->OnScanning = nullptr;
  RegCleaner_->OnEndScan = nullptr;
  if (pmnHelp != nullptr) DestroyMenu(pmnHelp);
}

bool TfrmZUNRC::Build() {
  Options options;
  options.clientWidth = 780;
  options.clientHeight = 585;
  options.appWindow = true;
  options.sysMenu = true;
  options.minimizeBox = true;
  options.quitOnDestroy = true;
  if (!Create(nullptr, options, u"")) return false;

  imgBackground.SetBounds(0, 0, 780, 585);
  imgBackground.SetStretch(true);
  imgBackground.SetPicture(SkinPicture(L"SKIN_MAIN_BACKGROUND"));
  AddControl(imgBackground);
  lblTitleBar.SetBounds(8, 3, 649, 28);
  SetupTitleBar(lblTitleBar);
  AddControl(lblTitleBar);
  imgTitle.SetBounds(9, 33, 763, 120);
  imgTitle.SetPicture(SkinPicture(L"SKIN_MAIN_TITLE"));
  AddControl(imgTitle);
  lblTopicTitle.SetPosition(21, 44);
  lblTopicTitle.SetWordWrap(false);
  AddControl(lblTopicTitle);
  lblTopicSubtitle.SetPosition(21, 80);
  lblTopicSubtitle.SetAutoSizeMaxWidth(476);
  AddControl(lblTopicSubtitle);
  imgLogo.SetBounds(529, 56, 230, 75);
  imgLogo.SetPicture(SkinPicture(L"SKIN_MAIN_LOGO"));
  imgLogo.SetMoveHandler(false);
  imgLogo.SetCursor(LoadCursorW(nullptr, IDC_HAND));
  imgLogo.OnClick = [this] { imgLogoClick(); };
  AddControl(imgLogo);
  lblScanningItems.SetPosition(20, 177);
  lblScanningItems.SetWordWrap(false);
  AddControl(lblScanningItems);

  SetupCaptionButton(btnHelp, *this, controls::SkinButtonKind::Help, 696);
  btnHelp.OnClick = [this] { actHelpFileExecute(); };
  SetupCaptionButton(btnMinimize, *this, controls::SkinButtonKind::Minimize, 722);
  btnMinimize.OnClick = [this] { ShowWindow(Handle(), SW_MINIMIZE); };
  SetupCaptionButton(btnClose, *this, controls::SkinButtonKind::Close, 747);
  btnClose.OnClick = [this] { actCloseExecute(); };

  lstRegistryItems.Create(Handle(), 18, 198, 741, 256);
  lstRegistryItems.OnGetText = [this](RowRef row, int column) {
    return lstRegistryItemsGetText(row, column);
  };
  lstRegistryItems.OnChecked = [this] { UpdateCleanButton(); };
  lstRegistryItems.OnGetTip = [this](RowRef row) { return lstRegistryItemsGetTip(row); };
  lstRegistryItems.OnContextMenu = [this](RowRef row, POINT screen) {
    lstRegistryItemsContextMenu(row, screen);
  };

  for (controls::TKelURLLabel* link : {&lblSelectAll, &lblSelectNone, &lblRecommended}) {
    link->SetMoveHandler(false);
    link->SetWordWrap(false);
    AddControl(*link);
  }
  lblSelectAll.SetPosition(20, 461);
  lblSelectNone.SetPosition(90, 460);
  lblRecommended.SetPosition(180, 460);
  lblSelectAll.OnClick = [this] {
    lstRegistryItems.Model().Select(Selection::All);
    lstRegistryItems.RowsChanged();
    UpdateCleanButton();
  };
  lblSelectNone.OnClick = [this] {
    lstRegistryItems.Model().Select(Selection::None);
    lstRegistryItems.RowsChanged();
    UpdateCleanButton();
  };
  lblRecommended.OnClick = [this] {
    lstRegistryItems.Model().Select(Selection::Recommended);
    lstRegistryItems.RowsChanged();
    UpdateCleanButton();
  };

  SetupPushButton(btnScan, *this, 21, 511);
  btnScan.OnClick = [this] { actScanExecute(); };
  SetupPushButton(btnClean, *this, 127, 511);
  btnClean.OnClick = [this] { actCleanExecute(); };
  btnClean.SetEnabled(false);
  SetupPushButton(btnRestore, *this, 639, 511, kWidePushButtonWidth);
  btnRestore.OnClick = [this] { actRestoreExecute(); };
  btnRestore.SetEnabled(false);

  lblStatus.SetPosition(8, 558);
  lblStatus.SetWordWrap(false);
  lblStatus.SetAutoSizeMaxWidth(608);
  AddControl(lblStatus);

  pmnHelp = CreatePopupMenu();
  mniHelpLanguage = CreatePopupMenu();
  AppendMenuW(pmnHelp, MF_STRING, kCmdHelpFile, L"Help File\tF1");
  AppendMenuW(pmnHelp, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(pmnHelp, MF_POPUP, reinterpret_cast<UINT_PTR>(mniHelpLanguage), L"Language");
  AppendMenuW(pmnHelp, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(pmnHelp, MF_STRING, kCmdTechnicalSupport, L"Technical Support");
  AppendMenuW(pmnHelp, MF_STRING, kCmdHomePage, L"Visit Homepage");
  AppendMenuW(pmnHelp, MF_STRING, kCmdForum, L"Visit Forum");
  AppendMenuW(pmnHelp, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(pmnHelp, MF_STRING, kCmdIgnoredEntries, L"Ignored Entries...");
  AppendMenuW(pmnHelp, MF_STRING, kCmdAbout, L"About");
  // Every way of closing (close button, task bar, system menu) passes here.
  OnClose = [this] { FormClose(); };
  return true;
}

// --- texts ---

void TfrmZUNRC::RefreshMultiLangs() {
  TAppStrings& s = app_.Strings();
  TAppFontVars& f = app_.Fonts();
  ApplyFont(app_, Font(), f.FONT_ZUNRCForm);
  ApplyFont(app_, lblTitleBar.TitleBar().Font(), f.FONT_ZUNRCForm_Title);
  ApplyFont(app_, lblTopicTitle.Font(), f.FONT_ZUNRCForm_Label_TopicTitle);
  ApplyFont(app_, lblTopicSubtitle.Font(), f.FONT_ZUNRCForm_Label_TopicSubtitle);
  ApplyFont(app_, lblScanningItems.Font(), f.FONT_ZUNRCForm_Label_ScanningItems);
  ApplyFont(app_, lblSelectAll.Font(), f.FONT_ZUNRCForm_Label_SelectAll);
  ApplyFont(app_, lblSelectNone.Font(), f.FONT_ZUNRCForm_Label_SelectNone);
  ApplyFont(app_, lblRecommended.Font(), f.FONT_ZUNRCForm_Label_Recommended);
  ApplyFont(app_, lblStatus.Font(), f.FONT_ZUNRCForm_Label_Status);
  ApplyFont(app_, btnScan.Font(), f.FONT_ZUNRCForm_Button_Scan);
  ApplyFont(app_, btnClean.Font(), f.FONT_ZUNRCForm_Button_Clean);
  ApplyFont(app_, btnRestore.Font(), f.FONT_ZUNRCForm_Button_Restore);
  ApplyFont(app_, lstRegistryItems.Font(), f.FONT_ZUNRCForm_List_Registry);
  lstRegistryItems.ApplyFont();

  SetCaption(s.STR_ZUNRCForm_Caption);
  lblTitleBar.TitleBar().SetCaption(s.STR_ZUNRCForm_Title);
  lblTopicTitle.SetCaption(s.STR_ZUNRCForm_Label_TopicTitle);
  lblTopicSubtitle.SetCaption(s.STR_ZUNRCForm_Label_TopicSubtitle);
  lblScanningItems.SetCaption(s.STR_ZUNRCForm_Label_ScanningItems);
  lblSelectAll.SetCaption(s.STR_ZUNRCForm_Label_SelectAll);
  lblSelectNone.SetCaption(s.STR_ZUNRCForm_Label_SelectNone);
  lblRecommended.SetCaption(s.STR_ZUNRCForm_Label_Recommended);
  btnScan.SetCaption(s.STR_ZUNRCForm_Button_Scan);
  btnClean.SetCaption(s.STR_ZUNRCForm_Button_Clean);
  btnRestore.SetCaption(s.STR_ZUNRCForm_Button_Restore);
  btnClose.SetHint(s.STR_ZUNRCForm_Button_CloseHint);
  lstRegistryItems.SetColumnCaption(0, s.STR_ZUNRCForm_List_Registry0);
  lstRegistryItems.SetColumnCaption(1, s.STR_ZUNRCForm_List_Registry1);
  lstRegistryItems.SetColumnCaption(2, s.STR_ZUNRCForm_List_Registry2);
  lstRegistryItems.SetColumnCaption(3, s.STR_ZUNRCForm_List_Registry3);

  ModifyMenuW(pmnHelp, kCmdHelpFile, MF_BYCOMMAND | MF_STRING, kCmdHelpFile,
              Wide(s.STR_Main_HelpMenu_HelpFile + u"\tF1"));
  ModifyMenuW(pmnHelp, kCmdTechnicalSupport, MF_BYCOMMAND | MF_STRING, kCmdTechnicalSupport,
              Wide(s.STR_Main_HelpMenu_TechnicalSupport));
  ModifyMenuW(pmnHelp, kCmdHomePage, MF_BYCOMMAND | MF_STRING, kCmdHomePage,
              Wide(s.STR_Main_HelpMenu_HomePage));
  ModifyMenuW(pmnHelp, kCmdForum, MF_BYCOMMAND | MF_STRING, kCmdForum,
              Wide(s.STR_Main_HelpMenu_Forum));
  ModifyMenuW(pmnHelp, kCmdIgnoredEntries, MF_BYCOMMAND | MF_STRING, kCmdIgnoredEntries,
              Wide(s.STR_Main_HelpMenu_IgnoredEntries));
  ModifyMenuW(pmnHelp, kCmdAbout, MF_BYCOMMAND | MF_STRING, kCmdAbout,
              Wide(FormatText(s.STR_Main_HelpMenu_About,
                              {FormatArg::Text(app_.configs.ApplicationTitle())})));

  RefreshFindingRows();
  ShowLastCleanTime();
  LayoutLinks();
}

void TfrmZUNRC::LayoutLinks() {
  lblSelectNone.SetPosition(lblSelectAll.Left() + lblSelectAll.Width() + 8, 460);
  lblRecommended.SetPosition(lblSelectNone.Left() + lblSelectNone.Width() + 8, 460);
}

void TfrmZUNRC::LoadLangMenuItems() {
  while (GetMenuItemCount(mniHelpLanguage) > 0) DeleteMenu(mniHelpLanguage, 0, MF_BYPOSITION);
  TAppMultiLangs& langs = app_.localisation.MultiLangs;
  for (int i = 0; i < langs.Count(); ++i) {
    AppendMenuW(mniHelpLanguage, MF_STRING, kCmdLanguageBase + i,
                Wide(Upper(langs.GetLanguageName(i))));
  }
  if (langs.Count() > 0 && langs.Index() >= 0) {
    CheckMenuRadioItem(mniHelpLanguage, kCmdLanguageBase, kCmdLanguageBase + langs.Count() - 1,
                       kCmdLanguageBase + langs.Index(), MF_BYCOMMAND);
  }
  // The entry and its separator are shown only with more than one pack.
  const int position = 2;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_SUBMENU;
  GetMenuItemInfoW(pmnHelp, position, TRUE, &info);
  const bool present = info.hSubMenu == mniHelpLanguage;
  if (langs.Count() > 1 && !present) {
    InsertMenuW(pmnHelp, position, MF_BYPOSITION | MF_POPUP,
                reinterpret_cast<UINT_PTR>(mniHelpLanguage), L"Language");
    InsertMenuW(pmnHelp, position + 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  } else if (langs.Count() <= 1 && present) {
    RemoveMenu(pmnHelp, position + 1, MF_BYPOSITION);  // the separator after it
    RemoveMenu(pmnHelp, position, MF_BYPOSITION);      // keeps the sub-menu alive
  }
}

void TfrmZUNRC::ChooseLanguage(int position) {
  TAppMultiLangs& langs = app_.localisation.MultiLangs;
  if (position == langs.Index() || position < 0 || position >= langs.Count()) return;
  langs.SetIndex(position);
  RefreshMultiLangs();
  CheckMenuRadioItem(mniHelpLanguage, kCmdLanguageBase, kCmdLanguageBase + langs.Count() - 1,
                     kCmdLanguageBase + position, MF_BYCOMMAND);
}

void TfrmZUNRC::RefreshVisibleWindows() {
  if (Handle() != nullptr && IsWindowVisible(Handle())) RefreshMultiLangs();
  if (dialog_ != nullptr) dialog_->RefreshMultiLangs();
}

// --- showing and closing ---

void TfrmZUNRC::FormShow() {
  platform::TraceScope trace(app_.trace, kTraceShowBegin, kTraceShowEnd);
  RefreshMultiLangs();
  FVTLevel1CheckedCount = 0;
  BuildScanTypeRows();
  ShowLastCleanTime();
  UpdateRestoreButton();
  UpdateCleanButton();
}

void TfrmZUNRC::actCloseExecute() {
  CollectScanTypes();
  Close();
}

void TfrmZUNRC::FormClose() {
  {
    platform::TraceScope trace(app_.trace, kTraceCloseBegin, kTraceCloseEnd);
    RegCleaner_->Stop();
  }
  platform::RaiseTrace(app_.trace, kTraceDestroyed);
}

// --- the findings list ---

std::u16string TfrmZUNRC::ScanTypeName(std::uint32_t scanType) const {
  const TAppStrings& s = app_.Strings();
  switch (scanType) {
    case 0x1000: return s.STR_ZUNScanType_Components;
    case 0x2000: return s.STR_ZUNScanType_FileTypes;
    case 0x4000: return s.STR_ZUNScanType_Programs;
    case 0x8000: return s.STR_ZUNScanType_SharedDlls;
    case 0x10000: return s.STR_ZUNScanType_HelpFiles;
    case 0x20000: return s.STR_ZUNScanType_HistoryList;
    case 0x40000: return s.STR_ZUNScanType_Fonts;
    case 0x80000: return s.STR_ZUNScanType_Shortcuts;
    case 0x100000: return s.STR_ZUNScanType_Sounds;
    case 0x200000: return s.STR_ZUNScanType_StartMenu;
    case 0x400000: return s.STR_ZUNScanType_Startup;
    default: return {};
  }
}

std::u16string TfrmZUNRC::ErrorCodeText(std::uint32_t errorCode) const {
  // The keys are numbered in order; the codes have gaps between their groups.
  const int key = ErrorCodeKeyNumber(errorCode);
  const std::u16string* text = key >= 0 ? app_.Strings().ErrorCodeText(key) : nullptr;
  return text != nullptr ? *text : std::u16string();
}

std::u16string TfrmZUNRC::lstRegistryItemsGetText(RowRef row, int column) const {
  const FindingsTree& model = lstRegistryItems.Model();
  const TNodeDataClass& data = model.Data(row);
  if (row.IsTypeRow()) {
    if (column != 0) return {};
    const auto count = static_cast<std::int32_t>(model.Type(row.type).findings.size());
    if (count == 0) return data.TypeDescrip;
    return data.TypeDescrip + FormatText(app_.Strings().STR_ZUNRCForm_4, {FormatArg::Int(count)});
  }
  switch (column) {
    case 0: return FindingTypeText(app_.Strings(), data.TypeDescrip, data.Wow32);
    case 1: return data.Path;
    case 2: return data.ValueName;
    default: return data.Value;
  }
}

std::u16string TfrmZUNRC::lstRegistryItemsGetTip(RowRef row) const {
  if (!row.Valid() || row.IsTypeRow()) return {};
  const TNodeDataClass& data = lstRegistryItems.Model().Data(row);
  return FindingTipText(app_.Strings(), {data.Path, data.ValueName, data.Value, data.Reason});
}

void TfrmZUNRC::lstRegistryItemsContextMenu(RowRef row, POINT screen) {
  if (!row.Valid() || row.IsTypeRow()) return;
  const TAppStrings& s = app_.Strings();
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuW(menu, MF_STRING, kCmdOpenInRegedit, Wide(s.STR_ZUNRCForm_Menu_OpenInRegedit));
  AppendMenuW(menu, MF_STRING, kCmdCopyKeyPath, Wide(s.STR_ZUNRCForm_Menu_CopyKeyPath));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdIgnoreEntry, Wide(s.STR_ZUNRCForm_Menu_Ignore));
  const UINT command = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD |
                                                TPM_RIGHTBUTTON,
                                      screen.x, screen.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
  if (command == 0) return;
  // A copy: ignoring removes the row. Rows are added and removed only by scans and
  // cleans, which never run while this menu is open, so the row is still the same.
  const TNodeDataClass finding = lstRegistryItems.Model().Data(row);
  switch (command) {
    case kCmdOpenInRegedit:
      if (!OpenRegistryEditorAt(Handle(), finding.Path)) {
        ShowInformation(app_, Handle(), s.STR_ZUNRCForm_RegeditFailed, s.STR_ZUNRCForm_13,
                        MB_OK | MB_ICONWARNING);
      }
      break;
    case kCmdCopyKeyPath:
      controls::CopyTextToClipboard(Handle(), finding.Path);
      break;
    case kCmdIgnoreEntry:
      IgnoreFinding(finding);
      break;
    default:
      break;
  }
}

void TfrmZUNRC::IgnoreFinding(const TNodeDataClass& finding) {
  // Never while a scan reads the list (the progress window is modal, so this holds).
  if (RegCleaner_->Status() != kStatusIdle) return;
  const IgnoredEntry entry{finding.ScanType, finding.Path, finding.ValueName};
  if (!ignoreList_.Add(entry)) return;
  SaveIgnoreList();
  // Every row of the entry goes (a key can be reported twice under one scan type).
  FIgnoredCount += lstRegistryItems.Model().RemoveFindings([&entry](const TNodeDataClass& row) {
    return entry.Matches(row.ScanType, row.Path, row.ValueName);
  });
  RefreshFindingRows();
}

void TfrmZUNRC::SaveIgnoreList() {
  if (app_.platform.files.CreateFolders(app_.configs.DataPath()) && ignoreList_.Save()) return;
  const TAppStrings& s = app_.Strings();
  ShowInformation(app_, Handle(),
                  FormatText(s.STR_ZUNRCForm_IgnoreSaveFailed,
                             {FormatArg::Text(app_.configs.DataPath() + kIgnoreListFile)}),
                  s.STR_ZUNRCForm_13, MB_OK | MB_ICONWARNING);
}

void TfrmZUNRC::ReportUnrecordedBackup() {
  const std::u16string& file = RegCleaner_->UnrecordedBackupFile();
  if (file.empty()) return;
  const TAppStrings& s = app_.Strings();
  ShowInformation(app_, Handle(),
                  FormatText(s.STR_ZUNRCForm_UnrecordedBackup, {FormatArg::Text(file)}),
                  s.STR_ZUNRCForm_13, MB_OK | MB_ICONWARNING);
}

std::uint32_t TfrmZUNRC::ScanTypes() const {
  return app_.options ? static_cast<std::uint32_t>(app_.options->RCScanTypes) : kAllScanTypes;
}

void TfrmZUNRC::SetScanTypes(std::uint32_t scanTypes) {
  if (app_.options) app_.options->RCScanTypes = static_cast<std::int32_t>(scanTypes);
}

void TfrmZUNRC::BuildScanTypeRows() {
  lstRegistryItems.Model().Clear();
  UpdateCleanButton();
  lstRegistryItems.Model().BuildScanTypeRows(
      ScanTypes(), [this](std::uint32_t bit) { return ScanTypeName(bit); });
  lstRegistryItems.RowsChanged();
}

void TfrmZUNRC::CollectScanTypes() {
  SetScanTypes(lstRegistryItems.Model().CollectScanTypes());
  lstRegistryItems.CollapseAll();
  UpdateCleanButton();
}

void TfrmZUNRC::RefreshFindingRows() {
  FindingsTree& model = lstRegistryItems.Model();
  model.RefreshTypeRows([this](std::uint32_t bit) { return ScanTypeName(bit); });
  const TAppStrings& s = app_.Strings();
  std::u16string caption = model.FindingCount() > 0
                              ? FormatText(s.STR_ZUNRCForm_9, {FormatArg::Int(model.FindingCount())})
                              : s.STR_ZUNRCForm_10;
  if (FIgnoredCount > 0) {
    caption += u"  " + FormatText(s.STR_ZUNRCForm_IgnoredLeftOut, {FormatArg::Int(FIgnoredCount)});
  }
  lblScanningItems.SetCaption(caption);
  UpdateCleanButton();
  lstRegistryItems.RowsChanged();
}

void TfrmZUNRC::UpdateCleanButton() {
  FVTLevel1CheckedCount = lstRegistryItems.Model().CheckedCount();
  btnClean.SetEnabled(FVTLevel1CheckedCount != 0);
}

void TfrmZUNRC::UpdateRestoreButton() {
  RegCleaner_->UpdateRescueList();
  btnRestore.SetEnabled(RegCleaner_->RescueCount() > 0);
}

void TfrmZUNRC::ShowLastCleanTime() {
  if (!app_.options) return;
  const TAppStrings& s = app_.Strings();
  if (app_.options->RCLastCleanTime == 0) {
    // While a dialog is open (the restore window lists the engine's sets) the list is not
    // read again: that would free the sets its rows refer to.
    if (dialog_ == nullptr) RegCleaner_->UpdateRescueList();
    if (RegCleaner_->RescueCount() == 0) lblStatus.SetCaption(s.STR_ZUNRCForm_11);
    return;
  }
  lblStatus.SetCaption(FormatText(
      s.STR_ZUNRCForm_12,
      {FormatArg::Text(UtcDateTimeText(app_.platform.clock, app_.options->RCLastCleanTime))}));
}

// --- dialogs ---

template <typename Form>
int TfrmZUNRC::ShowDialog(Form& form) {
  LocalisedWindow* previous = dialog_;
  dialog_ = &form;
  const int result = controls::ShowModalOver(form, Handle(), true);
  dialog_ = previous;
  return result;
}

// --- scan ---

void TfrmZUNRC::actScanExecute() {
  FScanCount = 0;
  FIgnoredCount = 0;
  CollectScanTypes();
  if (ScanTypes() == 0) return;
  TfrmZUNRCProgress progress(app_);
  if (!progress.Build(Handle())) return;
  progress.SetPercentage(0);
  progress.SetStatus(app_.Strings().STR_ZUNRCForm_8);
  progress.OnStart = [this] { StartScan(); };
  progress.OnCancel = [this](bool& allowClose) {
    RegCleaner_->Stop();
    allowClose = true;
  };
  scanEvents_.Reset();
  progress_ = &progress;
  ShowDialog(progress);
  progress_ = nullptr;
}

void TfrmZUNRC::StartScan() {
  platform::TraceScope trace(app_.trace, kTraceStartScanBegin, kTraceStartScanEnd);
  try {
    if (!RegCleaner_->Scan(ScanTypes())) platform::RaiseTrace(app_.trace, kTraceScanRefused);
  } catch (...) {
    platform::RaiseTrace(app_.trace, kTraceScanError);
  }
}

void TfrmZUNRC::RegCleanerScanningOnWorker(const ScanningEventArgs& args) {
  scanEvents_.PushProgress({args.path, args.percent});
  if (args.errorCode == 0) return;
  ScanFindingReport finding;
  finding.index = args.index;
  finding.scanType = args.scanType;
  finding.markType = args.markType;
  finding.errorCode = args.errorCode;
  finding.path = args.path;
  finding.valueName = args.valueName;
  finding.value = args.value;
  finding.reason = args.reason;
  finding.wow32 = ViewOfKeyPath(args.path) == RegView::kWow32;
  scanEvents_.PushFinding(std::move(finding));
}

void TfrmZUNRC::DrainScanEvents() {
  ScanEventBatch batch = scanEvents_.Drain(kFindingsPerDrain);
  FindingsTree& model = lstRegistryItems.Model();
  // The status line names the entry being examined and the findings reported before it.
  const std::size_t beforeProgress = batch.FindingsBeforeProgress();
  std::int32_t countBeforeProgress = FScanCount;
  for (std::size_t i = 0; i < batch.findings.size(); ++i) {
    ScanFindingReport& finding = batch.findings[i];
    FindingReport report;
    report.index = static_cast<std::uint32_t>(finding.index);
    report.scanType = finding.scanType;
    report.markType = finding.markType;
    report.text = ErrorCodeText(finding.errorCode);
    report.path = std::move(finding.path);
    report.valueName = std::move(finding.valueName);
    report.value = std::move(finding.value);
    report.reason = std::move(finding.reason);
    report.wow32 = finding.wow32;
    if (model.AddFinding(std::move(report))) ++FScanCount;
    if (i + 1 == beforeProgress) countBeforeProgress = FScanCount;
  }
  if (!batch.findings.empty()) lstRegistryItems.RowsChanged();
  if (batch.progress && progress_ != nullptr && !batch.endOfScan) {
    progress_->SetStatus(FormatText(app_.Strings().STR_ZUNRCForm_1,
                                    {FormatArg::Int(countBeforeProgress),
                                     FormatArg::Text(batch.progress->path)}));
    progress_->SetPercentage(batch.progress->percent);
  }
  if (batch.endOfScan) RegCleanerEndScan();
}

void TfrmZUNRC::RegCleanerEndScan() {
  if (app_.options) app_.options->RCLastScanTime = app_.platform.clock.NowUtc();
  FIgnoredCount = RegCleaner_->IgnoredCount();
  RefreshFindingRows();
  UpdateCleanButton();
  if (progress_ != nullptr) {
    progress_->SetStatus(FormatText(app_.Strings().STR_ZUNRCForm_0, {FormatArg::Int(FScanCount)}));
    progress_->SetPercentage(100);
    progress_->EndProgress();
  }
}

// --- clean ---

void TfrmZUNRC::actCleanExecute() {
  FClean_IndexList.clear();
  FClean_FailedList.clear();
  FClean_IndexList = lstRegistryItems.Model().CheckedIndexes();
  const TAppStrings& s = app_.Strings();
  if (FClean_IndexList.empty()) {
    ShowInformation(app_, Handle(), s.STR_ZUNRCForm_6, s.STR_ZUNRCForm_13);
    return;
  }
  int result = 0;
  {
    TfrmZUNRCQuestion question(app_);
    if (!question.Build(Handle())) return;
    result = ShowDialog(question);
    FRescueName = question.Description();
  }
  if (result == IDOK) {
    FCleanCount = 0;
    {
      TfrmZUNRCProgress progress(app_);
      if (!progress.Build(Handle())) return;
      progress.OnStart = [this] { StartClean(); };
      progress.OnCancel = [](bool& allowClose) { allowClose = true; };
      progress_ = &progress;
      ShowDialog(progress);
      progress_ = nullptr;
    }
    // Losing the way to a backup is worth telling before the report.
    ReportUnrecordedBackup();
    if (FCleanCount > 0) {
      TfrmZUNReports report(app_);
      if (report.Build(Handle())) {
        const platform::FileTime cleanTime = app_.options ? app_.options->RCLastCleanTime : 0;
        report.Report().Reload(
            app_.Strings().STR_ZUNRCForm_7,
            {FormatArg::Int(FScanCount), FormatArg::Int(static_cast<std::int32_t>(FClean_IndexList.size())),
             FormatArg::Int(FCleanCount),
             FormatArg::Text(UtcDateTimeText(app_.platform.clock, cleanTime))});
        ShowDialog(report);
      }
    }
  }
  UpdateRestoreButton();
}

void TfrmZUNRC::StartClean() {
  platform::TraceScope trace(app_.trace, kTraceStartCleanBegin, kTraceStartCleanEnd);
  try {
    if (!RegCleaner_->Clean(FClean_IndexList, &FClean_FailedList, FRescueName)) {
      platform::RaiseTrace(app_.trace, kTraceCleanRefused);
    }
  } catch (...) {
    platform::RaiseTrace(app_.trace, kTraceCleanError);
  }
}

void TfrmZUNRC::RegCleanerCleaning(int percent) {
  if (progress_ == nullptr) return;
  progress_->SetPercentage(percent);
  progress_->SetStatus(app_.Strings().STR_ZUNRCForm_3);
}

void TfrmZUNRC::RegCleanerEndClean() {
  // The rows go while the windows keep answering; closing the progress window now would
  // give the main window back its input in the middle of the removal.
  if (progress_ != nullptr) progress_->SetStoppable(false);
  DWORD lastPump = GetTickCount();
  FCleanCount = lstRegistryItems.Model().RemoveCleaned(
      FClean_IndexList, FClean_FailedList, [this, &lastPump] {
        // Keep the windows answering, without paying for a message check per row.
        const DWORD now = GetTickCount();
        if (now - lastPump >= 30) {
          lastPump = now;
          app_.platform.messages.ProcessPending();
        }
      });
  if (app_.options) app_.options->RCLastCleanTime = app_.platform.clock.NowUtc();
  ShowLastCleanTime();
  RefreshFindingRows();
  UpdateCleanButton();
  if (progress_ != nullptr) {
    progress_->SetPercentage(100);
    progress_->SetStatus(FormatText(app_.Strings().STR_ZUNRCForm_2, {FormatArg::Int(FCleanCount)}));
    progress_->EndProgress();
  }
}

// --- restore, help, about ---

void TfrmZUNRC::actRestoreExecute() {
  {
    TfrmZUNRCRestore restore(app_, *RegCleaner_);
    if (!restore.Build(Handle())) return;
    ShowDialog(restore);
  }
  // The window may have deleted every set.
  UpdateRestoreButton();
}

void TfrmZUNRC::actHelpFileExecute() {
  RECT r{};
  GetWindowRect(btnHelp.Handle(), &r);
  const UINT command = TrackPopupMenu(pmnHelp, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                      r.left, r.bottom + 1, 0, Handle(), nullptr);
  if (command != 0) SendMessageW(Handle(), WM_COMMAND, command, 0);
}

void TfrmZUNRC::actHelpHelpFileExecute() {
  // Quoted: the program folder may have blanks in its name ("C:\Program Files\...").
  const std::u16string help = u"\"" + app_.localisation.MultiLangs.HelpFileIntroduction() + u"\"";
  const std::wstring viewer = controls::WindowsFolderProgram(L"hh.exe");
  ShellExecuteW(Handle(), L"open", viewer.c_str(), Wide(help), nullptr, SW_SHOWNORMAL);
}

void TfrmZUNRC::actHelpTechnicalSupportExecute() {
  app_.platform.system.ShellOpen(app_.localisation.MultiLangs.URLTechnicalSupportEmail(), u"", SW_SHOWNORMAL);
}

void TfrmZUNRC::actHelpHomePageExecute() {
  app_.platform.system.ShellOpen(app_.localisation.MultiLangs.URLHomePage(), u"", SW_SHOWNORMAL);
}

void TfrmZUNRC::actHelpForumExecute() {
  app_.platform.system.ShellOpen(app_.localisation.MultiLangs.URLForum(), u"", SW_SHOWNORMAL);
}

void TfrmZUNRC::actHelpAboutExecute() {
  TfrmAbout about(app_);
  if (!about.Build(Handle())) return;
  ShowDialog(about);
}

void TfrmZUNRC::actHelpIgnoredEntriesExecute() {
  if (RegCleaner_->Status() != kStatusIdle) return;
  TfrmIgnored ignored(app_, ignoreList_, [this](std::uint32_t bit) { return ScanTypeName(bit); });
  if (!ignored.Build(Handle())) return;
  ShowDialog(ignored);
}

void TfrmZUNRC::imgLogoClick() {
  app_.platform.system.ShellOpen(app_.configs.BasePath() + kMakerUpdateProgram, u"", SW_SHOWNORMAL);
}

bool TfrmZUNRC::HandleShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1 || Handle() == nullptr) return false;
  if (GetAncestor(msg.hwnd, GA_ROOT) != Handle() || !IsWindowEnabled(Handle())) return false;
  actHelpHelpFileExecute();
  return true;
}

LRESULT TfrmZUNRC::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam && !shown_) {
        shown_ = true;
        FormShow();
      }
      break;
    case kDrainScanEvents:
      DrainScanEvents();
      return 0;
    case WM_MOUSEWHEEL: {
      // The wheel goes to the window with the focus; over the list it scrolls the list,
      // as it does in Windows 10 for the window under the pointer.
      const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT list{};
      GetWindowRect(lstRegistryItems.Handle(), &list);
      if (PtInRect(&list, screen)) {
        return SendMessageW(lstRegistryItems.Handle(), message, wParam, lParam);
      }
      break;
    }
    case WM_COMMAND: {
      const UINT command = LOWORD(wParam);
      if (command >= kCmdLanguageBase && command < kCmdLanguageBase + 100) {
        ChooseLanguage(static_cast<int>(command - kCmdLanguageBase));
        return 0;
      }
      switch (command) {
        case kCmdHelpFile: actHelpHelpFileExecute(); return 0;
        case kCmdTechnicalSupport: actHelpTechnicalSupportExecute(); return 0;
        case kCmdHomePage: actHelpHomePageExecute(); return 0;
        case kCmdForum: actHelpForumExecute(); return 0;
        case kCmdAbout: actHelpAboutExecute(); return 0;
        case kCmdIgnoredEntries: actHelpIgnoredEntriesExecute(); return 0;
        default: break;
      }
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_F1) {
        actHelpHelpFileExecute();
        return 0;
      }
      break;
    default:
      break;
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
