#include "windows/ignored_form.h"

#include <commctrl.h>

#include <algorithm>

#include "windows/form_support.h"

namespace ovalin::windows {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;
constexpr int kColumnWidths[3] = {130, 330, 130};
constexpr int kButtonsTop = 340;

}  // namespace

bool TfrmIgnored::Build(HWND owner) {
  if (!Create(owner, Options{kWidth, kHeight}, u"")) return false;
  AddDialogFrame(*this, kWidth, kHeight, imgBackground, L"SKIN_RESTORE_BACKGROUND", lblTitleBar,
                 kWidth - 119);
  SetupCaptionButton(btnSysClose, *this, controls::SkinButtonKind::Close, kWidth - 34);
  btnSysClose.SetCancel(true);
  btnSysClose.OnClick = [this] { Close(); };
  lblHint.SetPosition(24, 55);
  lblHint.SetAutoSizeMaxWidth(kWidth - 48);
  AddControl(lblHint);
  lblItems.SetPosition(24, 110);
  lblItems.SetWordWrap(false);
  AddControl(lblItems);
  lstIgnored = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 24, 130,
      kWidth - 48, 190, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ListView_SetExtendedListViewStyle(lstIgnored, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH | LVCF_TEXT;
    col.cx = kColumnWidths[column];
    col.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(lstIgnored, column, &col);
  }
  SetupPushButton(btnRemove, *this, 24, kButtonsTop);
  btnRemove.OnClick = [this] { actRemoveExecute(); };
  SetupPushButton(btnRemoveAll, *this, 132, kButtonsTop, kWidePushButtonWidth);
  btnRemoveAll.OnClick = [this] { actRemoveAllExecute(); };
  SetupPushButton(btnClose, *this, kWidth - 24 - kPushButtonWidth, kButtonsTop);
  btnClose.OnClick = [this] { Close(); };
  return true;
}

void TfrmIgnored::RefreshMultiLangs() {
  TAppStrings& s = app_.Strings();
  TAppFontVars& f = app_.Fonts();
  // The window is the restore window's sibling: it wears the same fonts.
  ApplyFont(app_, Font(), f.FONT_ZUNRCRestoreForm);
  ApplyFont(app_, lblTitleBar.TitleBar().Font(), f.FONT_ZUNRCRestoreForm_Title);
  ApplyFont(app_, lblHint.Font(), f.FONT_ZUNRCRestoreForm_Label_Hint);
  ApplyFont(app_, lblItems.Font(), f.FONT_ZUNRCRestoreForm_Label_BackupItems);
  ApplyFont(app_, listFont_, f.FONT_ZUNRCRestoreForm_List_BackupItems);
  ApplyFont(app_, btnRemove.Font(), f.FONT_ZUNRCRestoreForm_Button_Delete);
  ApplyFont(app_, btnRemoveAll.Font(), f.FONT_ZUNRCRestoreForm_Button_DeleteAll);
  ApplyFont(app_, btnClose.Font(), f.FONT_ZUNRCRestoreForm_Button_Restore);
  SendMessageW(lstIgnored, WM_SETFONT, reinterpret_cast<WPARAM>(listFontCache_.For(listFont_)),
               TRUE);
  SetCaption(s.STR_IgnoredForm_Caption);
  lblTitleBar.TitleBar().SetCaption(s.STR_IgnoredForm_Title);
  lblHint.SetCaption(s.STR_IgnoredForm_Label_Hint);
  SetColumnCaptions(lstIgnored, {&s.STR_IgnoredForm_List0, &s.STR_IgnoredForm_List1,
                                  &s.STR_IgnoredForm_List2});
  btnRemove.SetCaption(s.STR_IgnoredForm_Button_Remove);
  btnRemoveAll.SetCaption(s.STR_IgnoredForm_Button_RemoveAll);
  btnClose.SetCaption(s.STR_IgnoredForm_Button_Close);
  btnSysClose.SetHint(s.STR_IgnoredForm_Button_CloseHint);
  // The list below the hint, however many lines the hint takes in this language.
  lblItems.SetPosition(24, lblHint.Top() + lblHint.Height() + 16);
  const int listTop = lblItems.Top() + lblItems.Height() + 8;
  SetWindowPos(lstIgnored, nullptr, 24, listTop, kWidth - 48,
               std::max(40, kButtonsTop - 16 - listTop), SWP_NOZORDER | SWP_NOACTIVATE);
  FillList();
}

void TfrmIgnored::FillList() {
  const int selected = std::max(0, SelectedRow());
  ListView_DeleteAllItems(lstIgnored);
  const auto& entries = list_.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const IgnoredEntry& entry = entries[i];
    const std::u16string type = typeName_ ? typeName_(entry.scanType) : std::u16string();
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(Wide(type));
    item.lParam = static_cast<LPARAM>(i);
    const int row = ListView_InsertItem(lstIgnored, &item);
    ListView_SetItemText(lstIgnored, row, 1, const_cast<wchar_t*>(Wide(entry.path)));
    ListView_SetItemText(lstIgnored, row, 2, const_cast<wchar_t*>(Wide(entry.valueName)));
  }
  const int count = ListView_GetItemCount(lstIgnored);
  if (count > 0) {
    const int row = std::min(selected, count - 1);
    ListView_SetItemState(lstIgnored, row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(lstIgnored, row, FALSE);
  }
  lblItems.SetCaption(FormatText(app_.Strings().STR_IgnoredForm_Label_Items,
                                 {FormatArg::Int(static_cast<std::int32_t>(entries.size()))}));
  UpdateButtons();
}

void TfrmIgnored::UpdateButtons() {
  const bool any = ListView_GetItemCount(lstIgnored) > 0;
  btnRemove.SetEnabled(any && SelectedRow() >= 0);
  btnRemoveAll.SetEnabled(any);
}

int TfrmIgnored::SelectedRow() const {
  return ListView_GetNextItem(lstIgnored, -1, LVNI_SELECTED);
}

void TfrmIgnored::actRemoveExecute() {
  const int row = SelectedRow();
  if (row < 0) return;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(lstIgnored, &item)) return;
  const auto index = static_cast<std::size_t>(item.lParam);
  if (index >= list_.Entries().size()) return;
  const IgnoredEntry entry = list_.Entries()[index];
  if (!list_.Remove(entry)) return;
  SaveList();
  FillList();
  SetFocus(lstIgnored);
}

void TfrmIgnored::actRemoveAllExecute() {
  if (list_.Entries().empty()) return;
  list_.Clear();
  SaveList();
  FillList();
}

void TfrmIgnored::SaveList() {
  if (list_.Save()) return;
  const TAppStrings& s = app_.Strings();
  ShowInformation(app_, Handle(), FormatText(s.STR_ZUNRCForm_IgnoreSaveFailed, {FormatArg::Text(list_.File())}),
                  s.STR_ZUNRCForm_13, MB_OK | MB_ICONWARNING);
}

bool TfrmIgnored::ShortcutKey(UINT virtualKey) {
  if (virtualKey == VK_DELETE && btnRemove.Enabled()) {
    actRemoveExecute();
    return true;
  }
  return false;
}

LRESULT TfrmIgnored::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam && !shownOnce_) {
        shownOnce_ = true;
        RefreshMultiLangs();
        SetFocus(lstIgnored);
      }
      break;
    case WM_NOTIFY: {
      const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
      if (notify->hwndFrom == lstIgnored && notify->code == LVN_ITEMCHANGED) UpdateButtons();
      break;
    }
    default:
      break;
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
