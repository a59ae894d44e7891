#include "windows/about_form.h"

#include "windows/form_support.h"

namespace ovalin::windows {

bool TfrmAbout::Build(HWND owner) {
  if (!Create(owner, Options{560, 400}, u"")) return false;
  imgBackground.SetBounds(0, 0, 560, 400);
  imgBackground.SetStretch(true);
  imgBackground.SetPicture(SkinPicture(L"SKIN_ABOUT_BACKGROUND"));
  AddControl(imgBackground);
  lblTitleBar.SetBounds(8, 4, 489, 26);
  SetupTitleBar(lblTitleBar);
  AddControl(lblTitleBar);
  SetupCaptionButton(btnSysClose, *this, controls::SkinButtonKind::Close, 528, 3);
  btnSysClose.SetModalResult(IDCANCEL);
  imgLogo.SetBounds(8, 39, 128, 128);
  imgLogo.SetPicture(SkinPicture(L"SKIN_ABOUT_LOGO"));
  AddControl(imgLogo);
  lblApplictionTitle.SetPosition(154, 40);
  lblApplictionTitle.SetWordWrap(false);
  AddControl(lblApplictionTitle);
  lblVersion.SetPosition(154, 79);
  lblVersion.SetWordWrap(false);
  AddControl(lblVersion);
  lblCopyright.SetPosition(154, 100);
  lblCopyright.SetAutoSizeMaxWidth(390);
  AddControl(lblCopyright);
  lblOfficialWebsite.SetPosition(154, 124);
  lblOfficialWebsite.SetWordWrap(false);
  lblOfficialWebsite.SetMoveHandler(false);
  AddControl(lblOfficialWebsite);
  lblTechnicalSupportEmail.SetPosition(154, 148);
  lblTechnicalSupportEmail.SetWordWrap(false);
  lblTechnicalSupportEmail.SetMoveHandler(false);
  AddControl(lblTechnicalSupportEmail);
  lblProductOverview.SetPosition(10, 183);
  lblProductOverview.SetWordWrap(false);
  AddControl(lblProductOverview);
  lstProductInfo.Create(*this, 8, 200, 540, 153);
  lstProductInfo.SetEnableMouseWheel(true);
  lblWarning.SetPosition(5, 13);
  lblWarning.SetAutoSizeMaxWidth(364);
  lstProductInfo.AddControl(lblWarning);
  lblSpacer.SetAutoSize(false);
  lblSpacer.SetBounds(5, 40, 10, 34);
  lstProductInfo.AddControl(lblSpacer);
  SetupPushButton(btnClose, *this, 448, 359);
  btnClose.SetModalResult(IDCANCEL);
  btnClose.SetCancel(true);
  btnClose.SetDefault(true);
  return true;
}

void TfrmAbout::RefreshMultiLangs() {
  TAppStrings& s = app_.Strings();
  TAppFontVars& f = app_.Fonts();
  TAppMultiLangs& langs = app_.localisation.MultiLangs;
  const std::u16string& title = app_.configs.ApplicationTitle();
  ApplyFont(app_, Font(), f.FONT_About);
  ApplyFont(app_, lblTitleBar.TitleBar().Font(), f.FONT_About_TitleBar);
  ApplyFont(app_, lblApplictionTitle.Font(), f.FONT_About_Label_ApplictionTitle);
  ApplyFont(app_, lblVersion.Font(), f.FONT_About_Label_Version);
  ApplyFont(app_, lblOfficialWebsite.Font(), f.FONT_About_Label_OfficialWebsite);
  ApplyFont(app_, lblTechnicalSupportEmail.Font(), f.FONT_About_Label_TechnicalSupportEmail);
  ApplyFont(app_, lblProductOverview.Font(), f.FONT_About_Label_ProductOverview);
  ApplyFont(app_, lblWarning.Font(), f.FONT_About_Label_Warning);
  ApplyFont(app_, btnClose.Font(), f.FONT_About_Button_Close);
  lblOfficialWebsite.SetURL(langs.URLHomePage());
  lblTechnicalSupportEmail.SetURL(langs.URLTechnicalSupportEmail());
  const std::u16string caption = FormatText(s.STR_About_FormTitle, {FormatArg::Text(title)});
  SetCaption(caption);
  lblTitleBar.TitleBar().SetCaption(caption);
  lblApplictionTitle.SetCaption(title);
  lblVersion.SetCaption(
      FormatText(s.STR_About_Label_Version, {FormatArg::Text(app_.configs.VersionString())}));
  lblCopyright.SetCaption(s.STR_Copyright);
  lblOfficialWebsite.SetCaption(s.STR_About_Label_HomePage);
  lblTechnicalSupportEmail.SetCaption(s.STR_About_Label_TechnicalSupportEmail);
  lblProductOverview.SetCaption(s.STR_About_Label_ProductOverview);
  lblWarning.SetCaption(s.STR_About_Label_Warning);
  lblSpacer.SetPosition(5, lblWarning.Top() + lblWarning.Height());
  lstProductInfo.UpdateScrollRange();
  btnClose.SetCaption(s.STR_About_Button_Close);
}

LRESULT TfrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW && wParam && !shownOnce_) {
    shownOnce_ = true;
    RefreshMultiLangs();
    // Once the window is active the keyboard goes to the Close button, so that Enter
    // and Escape close the window.
    PostMessageW(Handle(), WM_APP + 31, 0, 0);
  }
  if (message == WM_APP + 31) {
    SetActiveWindow(Handle());
    SetFocus(btnClose.Handle());
    return 0;
  }
  return TKelForm::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::windows
