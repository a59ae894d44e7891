#include "gallery/gallery_forms.h"

#include "controls/do_modal.h"
#include "controls/skin_buttons.h"
#include "controls/skin_pictures.h"

namespace ovalin::gallery {

using namespace controls;

namespace {

TKelPicture Skin(const wchar_t* name) { return TKelPicture::FromResource(GetModuleHandleW(nullptr), name); }

void TitleFont(TKelFont& font) {
  font.SetSize(12);
  font.SetStyle(fsBold);
  font.SetColor(0xFFFFFF);
}

void SetupTitle(TKelTitleBar& title, const std::u16string& caption) {
  title.LogoBar().SetLogo(Skin(kSkinTitleLogo));
  title.LogoBar().SetTop(2);
  TitleFont(title.TitleBar().Font());
  title.TitleBar().SetWordWrap(false);
  title.TitleBar().SetLeft(32);
  title.TitleBar().SetTop(5);
  title.TitleBar().SetCaption(caption);
}

void SetupCaptionButton(TKelImageButton& button, TKelControlHost& host, SkinButtonKind kind, int x) {
  button.SetTabStop(false);
  button.Create(host, x, 5, 25, 24);
  ApplySkin(button, kind);
}

void SetupPushButton(TKelImageButton& button, TKelControlHost& host, const std::u16string& caption, int x,
                     int y) {
  button.Font().SetSize(10);
  button.Font().SetStyle(fsBold);
  button.SetWordWrap(false);
  button.Create(host, x, y, 100, 26);
  ApplySkin(button, SkinButtonKind::Push);
  button.SetCaption(caption);
}

}  // namespace

// GalleryDialog

bool GalleryDialog::Build(HWND owner) {
  if (!Create(owner, Options{500, 300}, u"Gallery dialog")) return false;
  background_.SetBounds(0, 0, 500, 300);
  background_.SetPicture(Skin(kSkinDialogBackground));
  AddControl(background_);
  title_.SetBounds(8, 4, 408, 28);
  SetupTitle(title_, u"Confirm");
  AddControl(title_);
  text_.SetBounds(24, 60, 450, 100);
  text_.SetAutoSize(false);
  text_.SetCaption(u"A dialog shown modally over the gallery. Enter presses OK, Escape presses Cancel, "
                   u"and a second dialog over the same owner is refused.");
  AddControl(text_);
  SetupCaptionButton(close_, *this, SkinButtonKind::Close, 468);
  close_.SetModalResult(IDCANCEL);
  SetupPushButton(second_, *this, u"Second", 24, 256);
  second_.OnClick = [this] {
    GalleryDialog other;
    int result = -1;
    if (other.Build(GetWindow(Handle(), GW_OWNER))) result = ShowModalOver(other, GetWindow(Handle(), GW_OWNER), true);
    if (OnSecondDialog) OnSecondDialog(result);
  };
  second_.SetModalResult(0);
  SetupPushButton(ok_, *this, u"OK", 260, 256);
  ok_.SetModalResult(IDOK);
  ok_.SetDefault(true);
  SetupPushButton(cancel_, *this, u"Cancel", 376, 256);
  cancel_.SetModalResult(IDCANCEL);
  cancel_.SetCancel(true);
  return true;
}

// GalleryWindow

bool GalleryWindow::Build() {
  Options options;
  options.clientWidth = 780;
  options.clientHeight = 585;
  options.appWindow = true;
  options.minimizeBox = true;
  options.quitOnDestroy = true;
  if (!Create(nullptr, options, u"Ovalin gallery")) return false;

  background_.SetBounds(0, 0, 780, 585);
  background_.SetStretch(true);
  background_.SetPicture(Skin(kSkinMainBackground));
  AddControl(background_);
  title_.SetBounds(8, 3, 649, 28);
  SetupTitle(title_, u"Ovalin Controls Gallery");
  AddControl(title_);
  titlePicture_.SetBounds(9, 33, 763, 120);
  titlePicture_.SetPicture(Skin(kSkinMainTitle));
  AddControl(titlePicture_);
  logo_.SetBounds(529, 56, 230, 75);
  logo_.SetPicture(Skin(kSkinMainLogo));
  logo_.SetMoveHandler(false);
  logo_.SetCursor(LoadCursorW(nullptr, IDC_HAND));
  logo_.OnClick = [this] { Report(u"clicked logo"); };
  AddControl(logo_);
  topicTitle_.Font().SetSize(14);
  topicTitle_.Font().SetStyle(fsBold);
  topicTitle_.SetPosition(21, 44);
  topicTitle_.SetWordWrap(false);
  AddControl(topicTitle_);
  topicTitle_.SetCaption(u"Skinned controls");
  topicSubtitle_.SetPosition(21, 80);
  topicSubtitle_.SetAutoSizeMaxWidth(476);
  AddControl(topicSubtitle_);
  topicSubtitle_.SetCaption(u"Labels in several placements, links, push and picture buttons in both border "
                            u"styles, a title bar and a scroll box. Drag the window by its title or background.");

  SetupCaptionButton(help_, *this, SkinButtonKind::Help, 696);
  help_.OnClick = [this] { Report(u"clicked Help"); };
  SetupCaptionButton(minimize_, *this, SkinButtonKind::Minimize, 722);
  minimize_.OnClick = [this] { ShowWindow(Handle(), SW_MINIMIZE); };
  SetupCaptionButton(close_, *this, SkinButtonKind::Close, 747);
  close_.OnClick = [this] { Close(); };
  close_.SetHint(u"Close");

  BuildLabels();
  BuildButtons();
  BuildScrollBox();
  status_.SetPosition(8, 558);
  status_.SetAutoSizeMaxWidth(608);
  AddControl(status_);
  status_.SetCaption(u"Ready.");
  return true;
}

void GalleryWindow::BuildLabels() {
  struct Placement {
    const char16_t* caption;
    TKelAlignment alignment;
    bool wordWrap;
  } placements[] = {
      {u"TopLeft", TKelAlignment::TopLeft, true},
      {u"MiddleCenter", TKelAlignment::MiddleCenter, false},
      {u"BottomRight", TKelAlignment::BottomRight, false},
      {u"Custom at 12, 8", TKelAlignment::Custom, true},
      {u"Word-wrapped, middle left, two lines of text", TKelAlignment::MiddleLeft, true},
      {u"A single line trimmed with an ellipsis at its end", TKelAlignment::Center, false},
  };
  int i = 0;
  for (const Placement& p : placements) {
    auto label = std::make_unique<TKelLabel>();
    label->SetAutoSize(false);
    label->SetTransparent(false);
    label->SetColor(RGB(0xE4, 0xEE, 0xF6));
    label->SetBounds(20 + (i % 3) * 124, 200 + (i / 3) * 52, 116, 44);
    label->SetTextAlignment(p.alignment);
    label->SetWordWrap(p.wordWrap);
    label->SetTextX(12);
    label->SetTextY(8);
    label->SetTextMargins(2);
    label->SetCaption(p.caption);
    AddControl(*label);
    placements_.push_back(std::move(label));
    ++i;
  }
  link_.SetPosition(20, 308);
  AddControl(link_);
  link_.SetCaption(u"A link (hover me)");
  link_.SetFontsFlags(kfMouseHover);
  link_.SetFontHover(&link_.Font());
  link_.FontHover().SetColor(0x0000C0);
  link_.OnCommand = [this] { Report(u"clicked link"); };
  visitedLink_.SetPosition(150, 308);
  visitedLink_.SetEnableVisitedColor(true);
  visitedLink_.SetVisited(true);
  AddControl(visitedLink_);
  visitedLink_.SetCaption(u"A visited link");
  disabledLink_.SetPosition(260, 308);
  disabledLink_.SetEnabled(false);
  AddControl(disabledLink_);
  disabledLink_.SetCaption(u"A disabled link");
}

TKelImageButton& GalleryWindow::AddButton(const std::u16string& caption, int x, int y) {
  buttons_.push_back(std::make_unique<TKelImageButton>());
  TKelImageButton& button = *buttons_.back();
  SetupPushButton(button, *this, caption, x, y);
  button.OnClick = [this, caption] { Report(u"clicked " + caption); };
  return button;
}

void GalleryWindow::BuildButtons() {
  AddButton(u"Flat", 21, 340);
  TKelImageButton& normal = AddButton(u"Bordered", 127, 340);
  normal.SetDrawBorder(true);
  normal.SetDrawFocused(true);
  normal.SetStyle(TKelImageButtonStyle::WinNormal);
  TKelImageButton& disabled = AddButton(u"Disabled", 233, 340);
  disabled.SetEnabled(false);
  TKelImageButton& dialog = AddButton(u"Dialog...", 21, 511);
  dialog.OnClick = [this] { OpenDialog(); };
  dialog.SetDefault(true);
  // A button with only its normal picture shows it in every state.
  TKelImageButton& plain = AddButton(u"One picture", 127, 511);
  plain.SetPictureMouseHover({});
  plain.SetPictureMouseDown({});
  plain.SetPictureDisabled({});
}

void GalleryWindow::BuildScrollBox() {
  scrollBox_.Create(*this, 400, 200, 359, 160);
  scrollBox_.SetColor(RGB(0xFF, 0xFF, 0xFF));
  scrollBox_.SetEnableMouseWheel(true);
  scrollText_.SetPosition(5, 13);
  scrollText_.SetAutoSizeMaxWidth(330);
  scrollBox_.AddControl(scrollText_);
  std::u16string text;
  for (int i = 1; i <= 12; ++i) {
    text += u"Paragraph " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
            u" of the scrolling text: the wheel and the scroll bar move it.\r\n";
  }
  scrollText_.SetCaption(text);
  scrollBox_.UpdateScrollRange();
}

void GalleryWindow::OpenDialog() {
  dialog_ = std::make_unique<GalleryDialog>();
  if (!dialog_->Build(Handle())) return;
  dialog_->OnSecondDialog = [this](int result) {
    Report(result == 0 ? u"second dialog refused" : u"second dialog shown");
  };
  const int result = ShowModalOver(*dialog_, Handle(), true);
  dialog_.reset();
  Report(u"dialog result " + std::u16string(1, static_cast<char16_t>(u'0' + result % 10)));
}

void GalleryWindow::Report(const std::u16string& event) {
  SetCaption(u"Ovalin gallery - " + event);
  status_.SetCaption(event);
}

}  // namespace ovalin::gallery
