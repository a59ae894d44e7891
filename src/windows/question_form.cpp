#include "windows/question_form.h"

#include <vector>

#include "windows/form_support.h"

namespace ovalin::windows {

std::u16string TrimDescription(const std::u16string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return text.substr(begin, end - begin);
}

bool TfrmZUNRCQuestion::Build(HWND owner) {
  if (!Create(owner, Options{500, 300}, u"")) return false;
  AddDialogFrame(*this, 500, 300, imgBackgound, L"SKIN_DIALOG_BACKGROUND", lblTitleBar, 408);
  SetupCaptionButton(btnClose, *this, controls::SkinButtonKind::Close, 468);
  btnClose.SetModalResult(IDCANCEL);
  lblWarningTitle.SetPosition(16, 51);
  lblWarningTitle.SetWordWrap(false);
  AddControl(lblWarningTitle);
  lblWarningDetails.SetPosition(40, 74);
  lblWarningDetails.SetAutoSizeMaxWidth(440);
  AddControl(lblWarningDetails);
  lblDescription.SetPosition(16, 174);
  lblDescription.SetWordWrap(false);
  AddControl(lblDescription);
  lblQuestion.SetPosition(16, 213);
  lblQuestion.SetAutoSizeMaxWidth(464);
  AddControl(lblQuestion);
  txtDescription = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 100, 171,
                                   340, 21, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(txtDescription, EM_LIMITTEXT, 255, 0);
  SetupPushButton(btnOK, *this, 140, 256);
  btnOK.SetModalResult(IDOK);
  btnOK.SetDefault(true);
  SetupPushButton(btnCancel, *this, 260, 256);
  btnCancel.SetModalResult(IDCANCEL);
  btnCancel.SetCancel(true);
  return true;
}

std::u16string TfrmZUNRCQuestion::Description() const {
  if (txtDescription == nullptr) return {};
  const int length = GetWindowTextLengthW(txtDescription);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  GetWindowTextW(txtDescription, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return TrimDescription(text);
}

void TfrmZUNRCQuestion::SetDescription(const std::u16string& value) {
  if (txtDescription != nullptr) SetWindowTextW(txtDescription, Wide(value));
}

void TfrmZUNRCQuestion::LayoutDescriptionRow() {
  const int left = lblDescription.Left() + lblDescription.Width() + 12;
  SetWindowPos(txtDescription, nullptr, left, 171, std::max(40, 440 - left), 21,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmZUNRCQuestion::RefreshMultiLangs() {
  TAppStrings& s = app_.Strings();
  TAppFontVars& f = app_.Fonts();
  ApplyFont(app_, Font(), f.FONT_ZUNRCQuestionForm);
  ApplyFont(app_, lblTitleBar.TitleBar().Font(), f.FONT_ZUNRCQuestionForm_Title);
  ApplyFont(app_, lblWarningTitle.Font(), f.FONT_ZUNRCQuestionForm_Label_WarningTitle);
  ApplyFont(app_, lblWarningDetails.Font(), f.FONT_ZUNRCQuestionForm_Label_WarningDetails);
  ApplyFont(app_, lblDescription.Font(), f.FONT_ZUNRCQuestionForm_Label_Description);
  ApplyFont(app_, lblQuestion.Font(), f.FONT_ZUNRCQuestionForm_Label_Question);
  ApplyFont(app_, descriptionFont_, f.FONT_ZUNRCQuestionForm_Text_Description);
  ApplyFont(app_, btnOK.Font(), f.FONT_ZUNRCQuestionForm_Button_OK);
  ApplyFont(app_, btnCancel.Font(), f.FONT_ZUNRCQuestionForm_Button_Cancel);
  SendMessageW(txtDescription, WM_SETFONT,
               reinterpret_cast<WPARAM>(descriptionFontCache_.For(descriptionFont_)), TRUE);
  SetCaption(s.STR_ZUNRCQuestionForm_Caption);
  lblTitleBar.TitleBar().SetCaption(s.STR_ZUNRCQuestionForm_Title);
  lblWarningTitle.SetCaption(s.STR_ZUNRCQuestionForm_Label_WarningTitle);
  lblWarningDetails.SetCaption(s.STR_ZUNRCQuestionForm_Label_WarningDetails);
  lblDescription.SetCaption(s.STR_ZUNRCQuestionForm_Label_Description);
  lblQuestion.SetCaption(s.STR_ZUNRCQuestionForm_Label_Question);
  btnOK.SetCaption(s.STR_ZUNRCQuestionForm_Button_OK);
  btnCancel.SetCaption(s.STR_ZUNRCQuestionForm_Button_Cancel);
  btnClose.SetHint(s.STR_ZUNRCQuestionForm_Button_CloseHint);
  LayoutDescriptionRow();
}

LRESULT TfrmZUNRCQuestion::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW && wParam && !shownOnce_) {
    shownOnce_ = true;
    RefreshMultiLangs();
    platform::Clock& clock = app_.platform.clock;
    SetDescription(UtcDateTimeText(clock, clock.NowUtc()));
    SetFocus(txtDescription);
    SendMessageW(txtDescription, EM_SETSEL, 0, -1);
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
