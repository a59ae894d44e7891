#include "windows/reports_form.h"

#include "windows/form_support.h"

namespace ovalin::windows {

bool TfrmZUNReports::Build(HWND owner) {
  if (!Create(owner, Options{500, 300}, u"")) return false;
  AddDialogFrame(*this, 500, 300, imgBackgound, L"SKIN_DIALOG_BACKGROUND", lblTitleBar, 408);
  SetupCaptionButton(btnClose, *this, controls::SkinButtonKind::Close, 469);
  btnClose.SetModalResult(IDCANCEL);
  btnClose.SetCancel(true);
  lblReportsTitle.SetPosition(24, 52);
  lblReportsTitle.SetAutoSizeMaxWidth(456);
  AddControl(lblReportsTitle);
  lblReportsDetails.SetPosition(24, 80);
  lblReportsDetails.SetAutoSizeMaxWidth(456);
  lblReportsDetails.SetAutoSizeMaxHeight(124);
  AddControl(lblReportsDetails);
  SetupPushButton(btnOK, *this, 201, 248);
  btnOK.SetModalResult(IDOK);
  btnOK.SetDefault(true);
  return true;
}

void TfrmZUNReports::RefreshMultiLangs() {
  TAppStrings& s = app_.Strings();
  TAppFontVars& f = app_.Fonts();
  ApplyFont(app_, Font(), f.FONT_ZUNRCReportsForm);
  ApplyFont(app_, lblTitleBar.TitleBar().Font(), f.FONT_ZUNRCReportsForm_Title);
  ApplyFont(app_, lblReportsTitle.Font(), f.FONT_ZUNRCReportsForm_Label_ReportsTitle);
  ApplyFont(app_, lblReportsDetails.Font(), f.FONT_ZUNRCReportsForm_Label_ReportsDetails);
  ApplyFont(app_, btnOK.Font(), f.FONT_ZUNRCReportsForm_Button_OK);
  SetCaption(s.STR_ZUNRCReportsForm_Caption);
  lblTitleBar.TitleBar().SetCaption(s.STR_ZUNRCReportsForm_Title);
  lblReportsTitle.SetCaption(s.STR_ZUNRCReportsForm_Label_ReportsTitle);
  lblReportsDetails.SetCaption(FReportDynString.Value());
  lblReportsDetails.SetPosition(24, lblReportsTitle.Top() + lblReportsTitle.Height() + 8);
  btnOK.SetCaption(s.STR_ZUNRCReportsForm_Button_OK);
  btnClose.SetHint(s.STR_ZUNRCReportsForm_Button_CloseHint);
}

LRESULT TfrmZUNReports::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW && wParam && !shownOnce_) {
    shownOnce_ = true;
    RefreshMultiLangs();
    SetFocus(btnOK.Handle());
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
