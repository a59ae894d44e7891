#include "windows/restore_form.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

#include "engine/rescue_export.h"
#include "engine/text_utils.h"
#include "localisation/size_text.h"
#include "windows/form_support.h"

namespace ovalin::windows {

namespace {

constexpr std::uint32_t kTraceShowBegin = 0x1009100a, kTraceShowEnd = 0x1009200a;
constexpr std::uint32_t kTraceDeleteAllBegin = 0x1009100b, kTraceDeleteAllEnd = 0x1009200b;
constexpr std::uint32_t kTraceDeleteBegin = 0x1009100c, kTraceDeleteEnd = 0x1009200c;
constexpr std::uint32_t kTraceRefreshBegin = 0x1009100d, kTraceRefreshEnd = 0x1009200d;
constexpr std::uint32_t kTraceRestoreBegin = 0x1009100e, kTraceRestoreEnd = 0x1009200e;
constexpr std::uint32_t kTraceDeleteAllError = 0x80090088, kTraceDeleteError = 0x80090089;
constexpr std::uint32_t kTraceRefreshError = 0x8009008a, kTraceRestoreError = 0x8009008b;
constexpr UINT kRefreshWhenVisible = WM_APP + 21;
constexpr int kColumnWidths[4] = {148, 100, 120, 360};
constexpr UINT kCmdSaveAsReg = 100;
// Longest path the Save dialog hands back.
constexpr DWORD kMaxSavePath = 32768;

}  // namespace

TfrmZUNRCRestore::~TfrmZUNRCRestore() {
  // The engine outlives this window: its restore events must not point here any more.
  RegCleaner_.OnBeginRestore = nullptr;
  RegCleaner_.OnEndRestore = nullptr;
}

bool TfrmZUNRCRestore::Build(HWND owner) {
  if (!Create(owner, Options{680, 416}, u"")) return false;
  AddDialogFrame(*this, 680, 416, imgBackground, L"SKIN_RESTORE_BACKGROUND", lblTitleBar, 561);
  SetupCaptionButton(btnClose, *this, controls::SkinButtonKind::Close, 646);
  btnClose.SetCancel(true);
  btnClose.OnClick = [this] { Close(); };
  lblHint.SetPosition(24, 55);
  lblHint.SetAutoSizeMaxWidth(634);
  AddControl(lblHint);
  lblBackupItems.SetPosition(24, 110);
  lblBackupItems.SetWordWrap(false);
  AddControl(lblBackupItems);
  lstBackupItems = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 24, 130,
      633, 200, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ListView_SetExtendedListViewStyle(lstBackupItems, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int column = 0; column < 4; ++column) {
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH | LVCF_TEXT;
    col.cx = kColumnWidths[column];
    col.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(lstBackupItems, column, &col);
  }
  SetupPushButton(btnRefresh, *this, 24, 349);
  btnRefresh.OnClick = [this] { RefreshBackupList(); };
  SetupPushButton(btnDelete, *this, 132, 349);
  btnDelete.OnClick = [this] { actDeleteExecute(); };
  SetupPushButton(btnDeleteAll, *this, 240, 349, kWidePushButtonWidth);
  btnDeleteAll.OnClick = [this] { actDeleteAllExecute(); };
  SetupPushButton(btnRestore, *this, 537, 349, kWidePushButtonWidth);
  btnRestore.OnClick = [this] { actRestoreExecute(); };
  lblStatus.SetPosition(8, 392);
  lblStatus.SetWordWrap(false);
  lblStatus.SetAutoSizeMaxWidth(632);
  AddControl(lblStatus);
  return true;
}

void TfrmZUNRCRestore::RefreshMultiLangs() {
  TAppStrings& s = app_.Strings();
  TAppFontVars& f = app_.Fonts();
  ApplyFont(app_, Font(), f.FONT_ZUNRCRestoreForm);
  ApplyFont(app_, lblTitleBar.TitleBar().Font(), f.FONT_ZUNRCRestoreForm_Title);
  ApplyFont(app_, lblHint.Font(), f.FONT_ZUNRCRestoreForm_Label_Hint);
  ApplyFont(app_, lblBackupItems.Font(), f.FONT_ZUNRCRestoreForm_Label_BackupItems);
  ApplyFont(app_, listFont_, f.FONT_ZUNRCRestoreForm_List_BackupItems);
  ApplyFont(app_, btnRefresh.Font(), f.FONT_ZUNRCRestoreForm_Button_Refresh);
  ApplyFont(app_, btnDelete.Font(), f.FONT_ZUNRCRestoreForm_Button_Delete);
  ApplyFont(app_, btnDeleteAll.Font(), f.FONT_ZUNRCRestoreForm_Button_DeleteAll);
  ApplyFont(app_, btnRestore.Font(), f.FONT_ZUNRCRestoreForm_Button_Restore);
  ApplyFont(app_, lblStatus.Font(), f.FONT_ZUNRCRestoreForm_Label_Status);
  SendMessageW(lstBackupItems, WM_SETFONT, reinterpret_cast<WPARAM>(listFontCache_.For(listFont_)),
               TRUE);
  SetCaption(s.STR_ZUNRCRestoreForm_Caption);
  lblTitleBar.TitleBar().SetCaption(s.STR_ZUNRCRestoreForm_Title);
  lblHint.SetCaption(s.STR_ZUNRCRestoreForm_Label_Hint);
  lblBackupItems.SetCaption(s.STR_ZUNRCRestoreForm_Label_BackupItems);
  SetColumnCaptions(lstBackupItems,
                    {&s.STR_ZUNRCRestoreForm_List_Restore0, &s.STR_ZUNRCRestoreForm_List_Restore1,
                     &s.STR_ZUNRCRestoreForm_List_Restore2, &s.STR_ZUNRCRestoreForm_List_Restore3});
  btnRefresh.SetCaption(s.STR_ZUNRCRestoreForm_Button_Refresh);
  btnDelete.SetCaption(s.STR_ZUNRCRestoreForm_Button_Delete);
  btnDeleteAll.SetCaption(s.STR_ZUNRCRestoreForm_Button_DeleteAll);
  btnRestore.SetCaption(s.STR_ZUNRCRestoreForm_Button_Restore);
  btnClose.SetHint(s.STR_ZUNRCRestoreForm_Button_CloseHint);
  lblStatus.SetCaption(FStatusDynString.Value());
  Layout();
}

void TfrmZUNRCRestore::Layout() {
  lblBackupItems.SetPosition(24, lblHint.Top() + lblHint.Height() + 24);
  const int listTop = lblBackupItems.Top() + lblBackupItems.Height() + 8;
  SetWindowPos(lstBackupItems, nullptr, 24, listTop, 633, std::max(40, 349 - 16 - listTop),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmZUNRCRestore::FormShow() {
  platform::TraceScope trace(app_.trace, kTraceShowBegin, kTraceShowEnd);
  RefreshMultiLangs();
  RegCleaner_.OnBeginRestore = [this](TRCRegCleaner&) { BeginRestore(); };
  RegCleaner_.OnEndRestore = [this](TRCRegCleaner&) { EndRestore(); };
}

void TfrmZUNRCRestore::SetStatus(const std::u16string& format,
                                 std::vector<TKelDynString::Arg> args) {
  FStatusDynString.Reload(format, std::move(args));
  lblStatus.SetCaption(FStatusDynString.Value());
}

std::u16string TfrmZUNRCRestore::DateText(const TRCRescueItem& item) const {
  return LocalDateTimeText(app_.platform.clock, item.DateTime());
}

bool TfrmZUNRCRestore::FileExists(const std::u16string& path) const {
  return app_.platform.files.Probe(path) == platform::PathKind::kFile;
}

TRCRescueItem* TfrmZUNRCRestore::ItemOfRow(int row) const {
  if (row < 0) return nullptr;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(lstBackupItems, &item)) return nullptr;
  return reinterpret_cast<TRCRescueItem*>(item.lParam);
}

int TfrmZUNRCRestore::RowOfFile(const std::u16string& path) const {
  const int count = ListView_GetItemCount(lstBackupItems);
  for (int row = 0; row < count; ++row) {
    const TRCRescueItem* item = ItemOfRow(row);
    if (item != nullptr && StrSameText(RegCleaner_.RescueDir() + item->BackupFile, path)) return row;
  }
  return -1;
}

int TfrmZUNRCRestore::SelectedRow() const {
  return ListView_GetNextItem(lstBackupItems, -1, LVNI_SELECTED);
}

void TfrmZUNRCRestore::SelectRow(int row) {
  const int count = ListView_GetItemCount(lstBackupItems);
  if (count == 0) return;
  row = std::min(row, count - 1);
  ListView_SetItemState(lstBackupItems, row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(lstBackupItems, row, FALSE);
}

void TfrmZUNRCRestore::RefreshBackupList() {
  platform::TraceScope trace(app_.trace, kTraceRefreshBegin, kTraceRefreshEnd);
  TAppStrings& s = app_.Strings();
  try {
    RegCleaner_.UpdateRescueList();
    const int n = RegCleaner_.RescueCount();
    filling_ = true;
    ListView_DeleteAllItems(lstBackupItems);
    int row = 0;
    for (int i = 0; i < n; ++i) {
      TRCRescueItem* rescue = RegCleaner_.RescueItems(i);
      if (rescue == nullptr) continue;
      const std::u16string date = DateText(*rescue);
      const std::u16string description =
          rescue->Description.empty()
              ? FormatText(s.STR_ZUNRCRestoreForm_11, {FormatArg::Text(date)})
              : FormatText(s.STR_ZUNRCRestoreForm_10,
                           {FormatArg::Text(rescue->Description), FormatArg::Text(date)});
      const std::u16string path = RegCleaner_.RescueDir() + rescue->BackupFile;
      std::uint64_t size = 0;
      const std::u16string sizeText =
          FileSizeOf(app_.platform.files, path, &size)
              ? SizeToText(static_cast<std::uint32_t>(std::min<std::uint64_t>(size, 0xFFFFFFFFu)),
                           LocaleDecimalSeparator())
              : s.STR_ZUNRCRestoreForm_12;
      const std::u16string count = FromUtf8(std::to_string(rescue->DetailCount));
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = row;
      item.pszText = const_cast<wchar_t*>(Wide(description));
      item.lParam = reinterpret_cast<LPARAM>(rescue);
      const int index = ListView_InsertItem(lstBackupItems, &item);
      ListView_SetItemText(lstBackupItems, index, 1, const_cast<wchar_t*>(Wide(count)));
      ListView_SetItemText(lstBackupItems, index, 2, const_cast<wchar_t*>(Wide(sizeText)));
      ListView_SetItemText(lstBackupItems, index, 3, const_cast<wchar_t*>(Wide(path)));
      ++row;
    }
    filling_ = false;
    if (n > 0) {
      SelectRow(0);
      lstBackupItemsSelectItem();
    } else {
      btnRestore.SetEnabled(false);
      btnDelete.SetEnabled(false);
    }
    lblBackupItems.SetCaption(FormatText(s.STR_ZUNRCRestoreForm_13, {FormatArg::Int(n)}));
    if (ListView_GetItemCount(lstBackupItems) > 0) {
      btnDeleteAll.SetEnabled(true);
    } else {
      btnDelete.SetEnabled(false);
      btnRestore.SetEnabled(false);
      btnDeleteAll.SetEnabled(false);
      SetStatus(s.STR_ZUNRCRestoreForm_5);
    }
    SetFocus(lstBackupItems);
  } catch (...) {
    filling_ = false;
    platform::RaiseTrace(app_.trace, kTraceRefreshError);
  }
}

void TfrmZUNRCRestore::lstBackupItemsSelectItem() {
  if (filling_ || Handle() == nullptr) return;
  TAppStrings& s = app_.Strings();
  if (ListView_GetItemCount(lstBackupItems) == 0) {
    btnDelete.SetEnabled(false);
    btnRestore.SetEnabled(false);
    btnDeleteAll.SetEnabled(false);
    SetStatus(s.STR_ZUNRCRestoreForm_5);
    return;
  }
  btnDeleteAll.SetEnabled(true);
  const int row = SelectedRow();
  btnDelete.SetEnabled(row >= 0);
  btnRestore.SetEnabled(row >= 0);
  TRCRescueItem* rescue = ItemOfRow(row);
  if (rescue == nullptr) {
    SetStatus(s.STR_ZUNRCRestoreForm_5);
    return;
  }
  const TKelDynString::Arg restored =
      TKelDynString::Arg::Ref(rescue->IsRescued ? s.STR_ZUNRCRestoreForm_6 : s.STR_ZUNRCRestoreForm_7);
  if (!rescue->Description.empty()) {
    SetStatus(s.STR_ZUNRCRestoreForm_8,
              {FormatArg::Text(rescue->Description), FormatArg::Text(DateText(*rescue)), restored});
  } else {
    SetStatus(s.STR_ZUNRCRestoreForm_9, {FormatArg::Text(DateText(*rescue)), restored});
  }
}

void TfrmZUNRCRestore::ShowMessage(const std::u16string& format, const std::u16string& argument) {
  ShowInformation(app_, Handle(), FormatText(format, {FormatArg::Text(argument)}),
                  app_.Strings().STR_ZUNRCRestoreForm_4);
}

void TfrmZUNRCRestore::actRestoreExecute() {
  const int row = SelectedRow();
  TRCRescueItem* rescue = ItemOfRow(row);
  if (rescue == nullptr) return;
  platform::TraceScope trace(app_.trace, kTraceRestoreBegin, kTraceRestoreEnd);
  TAppStrings& s = app_.Strings();
  const std::u16string path = RegCleaner_.RescueDir() + rescue->BackupFile;
  if (!FileExists(path)) {
    platform::RaiseTrace(app_.trace, kTraceRestoreError);
    return;
  }
  const std::u16string description = rescue->Description;
  const std::u16string date = DateText(*rescue);
  if (RegCleaner_.RestoreRescue(path)) {
    RefreshBackupList();
    if (ListView_GetItemCount(lstBackupItems) == 0) return;
    // The restored set is found again by its data file: the listing drops sets whose
    // files have gone, which moves the rows, and the set deleted next must be this one.
    const int restoredRow = RowOfFile(path);
    SelectRow(restoredRow >= 0 ? restoredRow : row);
    // The set restored is named by what it was before the list was refilled.
    if (!description.empty()) ShowMessage(s.STR_ZUNRCRestoreForm_0, description);
    else ShowMessage(s.STR_ZUNRCRestoreForm_1, date);
    if (restoredRow >= 0) actDeleteExecute();
  } else {
    if (!description.empty()) ShowMessage(s.STR_ZUNRCRestoreForm_2, description);
    else ShowMessage(s.STR_ZUNRCRestoreForm_3, date);
    platform::RaiseTrace(app_.trace, kTraceRestoreError);
  }
}

void TfrmZUNRCRestore::actDeleteExecute() {
  const int row = SelectedRow();
  TRCRescueItem* rescue = ItemOfRow(row);
  if (rescue == nullptr) return;
  platform::TraceScope trace(app_.trace, kTraceDeleteBegin, kTraceDeleteEnd);
  const std::u16string path = RegCleaner_.RescueDir() + rescue->BackupFile;
  if (!app_.platform.files.DeleteFile(path)) {
    platform::RaiseTrace(app_.trace, kTraceDeleteError);
    return;
  }
  RegCleaner_.DeleteRescue(rescue);
  RefreshBackupList();
  if (ListView_GetItemCount(lstBackupItems) > 0) {
    SelectRow(row);
    lstBackupItemsSelectItem();
  }
}

void TfrmZUNRCRestore::actDeleteAllExecute() {
  platform::TraceScope trace(app_.trace, kTraceDeleteAllBegin, kTraceDeleteAllEnd);
  try {
    while (ListView_GetItemCount(lstBackupItems) > 0) {
      TRCRescueItem* rescue = ItemOfRow(0);
      if (rescue == nullptr) break;
      const std::u16string path = RegCleaner_.RescueDir() + rescue->BackupFile;
      RegCleaner_.DeleteRescue(rescue);
      app_.platform.files.DeleteFile(path);
      ListView_DeleteItem(lstBackupItems, 0);
    }
  } catch (...) {
    platform::RaiseTrace(app_.trace, kTraceDeleteAllError);
  }
  RefreshBackupList();
}

void TfrmZUNRCRestore::lstBackupItemsContextMenu(LPARAM lParam) {
  POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  int row = -1;
  if (lParam == -1) {
    // From the keyboard: the selected set, the menu below its first column.
    row = SelectedRow();
    RECT r{};
    if (row < 0 || !ListView_GetItemRect(lstBackupItems, row, &r, LVIR_LABEL)) return;
    screen = POINT{r.left + 8, r.bottom};
    ClientToScreen(lstBackupItems, &screen);
  } else {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(lstBackupItems, &hit.pt);
    row = ListView_HitTest(lstBackupItems, &hit);
    if (row < 0) return;
    SelectRow(row);
  }
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuW(menu, MF_STRING, kCmdSaveAsReg, Wide(app_.Strings().STR_ZUNRCRestoreForm_Menu_SaveAsReg));
  const UINT command =
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                     screen.x, screen.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
  if (command == kCmdSaveAsReg) actSaveAsRegExecute();
}

void TfrmZUNRCRestore::actSaveAsRegExecute() {
  const TRCRescueItem* rescue = ItemOfRow(SelectedRow());
  if (rescue == nullptr) return;
  const TAppStrings& s = app_.Strings();
  const std::u16string backupFile = RegCleaner_.RescueDir() + rescue->BackupFile;
  // The set's own name, with the extension regedit imports.
  std::u16string name = FileBaseName(rescue->BackupFile);
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string::npos && dot > 0) name.erase(dot);
  name += u".reg";
  std::u16string file(kMaxSavePath, u'\0');
  name.copy(file.data(), std::min<std::size_t>(name.size(), kMaxSavePath - 1));
  // "Registration Files (*.reg)\0*.reg\0\0": the filter is a list of NUL-ended pairs.
  std::u16string filter = s.STR_ZUNRCRestoreForm_SaveAsRegFilter;
  filter += u'\0';
  filter += u"*.reg";
  filter += u'\0';
  filter += u'\0';
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(filter.c_str());
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(file.data());
  dialog.nMaxFile = kMaxSavePath;
  dialog.lpstrDefExt = L"reg";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 OFN_HIDEREADONLY;
  if (!GetSaveFileNameW(&dialog)) return;
  file.resize(file.find(u'\0'));
  std::u16string error;
  if (ExportRescueAsReg(app_.platform, backupFile, file, &error)) {
    SetStatus(s.STR_ZUNRCRestoreForm_SaveAsRegDone, {FormatArg::Text(file)});
    return;
  }
  std::u16string text = FormatText(s.STR_ZUNRCRestoreForm_SaveAsRegFailed, {FormatArg::Text(file)});
  if (!error.empty()) text += u"\r\n\r\n" + error;
  ShowInformation(app_, Handle(), text, s.STR_ZUNRCRestoreForm_4, MB_OK | MB_ICONWARNING);
}

void TfrmZUNRCRestore::BeginRestore() {
  btnClose.SetEnabled(false);
  btnDelete.SetEnabled(false);
  btnRefresh.SetEnabled(false);
  EnableWindow(lstBackupItems, FALSE);
  SetStatus(app_.Strings().STR_ZUNRCRestoreForm_14);
}

void TfrmZUNRCRestore::EndRestore() {
  btnClose.SetEnabled(true);
  btnDelete.SetEnabled(true);
  btnRefresh.SetEnabled(true);
  EnableWindow(lstBackupItems, TRUE);
  SetStatus(app_.Strings().STR_ZUNRCRestoreForm_15);
}

bool TfrmZUNRCRestore::ShortcutKey(UINT virtualKey) {
  // F5 and Delete belong to Refresh and Delete, and work while those buttons are enabled,
  // wherever the focus is in the window.
  if (virtualKey == VK_F5 && btnRefresh.Enabled()) {
    RefreshBackupList();
    return true;
  }
  if (virtualKey == VK_DELETE && btnDelete.Enabled()) {
    actDeleteExecute();
    return true;
  }
  return false;
}

LRESULT TfrmZUNRCRestore::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam && !shownOnce_) {
        shownOnce_ = true;
        FormShow();
        PostMessageW(Handle(), kRefreshWhenVisible, 0, 0);
      }
      break;
    case kRefreshWhenVisible:
      RefreshBackupList();
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == lstBackupItems && IsWindowEnabled(lstBackupItems)) {
        lstBackupItemsContextMenu(lParam);
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
      if (notify->hwndFrom != lstBackupItems) break;
      if (notify->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) != 0 &&
            ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0) {
          lstBackupItemsSelectItem();
        }
      }
      break;
    }
    default:
      break;
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
