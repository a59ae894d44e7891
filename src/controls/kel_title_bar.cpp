#include "controls/kel_title_bar.h"

#include "controls/pav_utils.h"
#include "controls/text_draw.h"
#include "skin_logic/text_layout.h"

namespace ovalin::controls {

// TKelTitleBarLabel

TKelTitleBarLabel::TKelTitleBarLabel(TKelTitleBar& owner) : FOwner(owner) {
  FFont = owner.Font();
  FFont.OnChange = [this] { Changed(); };
}

void TKelTitleBarLabel::Assign(const TKelTitleBarLabel& source) {
  FLeft = source.FLeft;
  FTop = source.FTop;
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  FAutoSizeMaxWidth = source.FAutoSizeMaxWidth;
  FAutoSizeMaxHeight = source.FAutoSizeMaxHeight;
  FAutoSize = source.FAutoSize;
  FTextDrawFlags = source.FTextDrawFlags;
  FCaption = source.FCaption;
  CopyFont(FFont, source.FFont);  // raises Changed once
}

void TKelTitleBarLabel::SetWordWrap(bool value) {
  if (value) FTextDrawFlags &= ~dt::kSingleLine;
  else FTextDrawFlags |= dt::kSingleLine;
  Changed();
}

void TKelTitleBarLabel::SetCaption(std::u16string value) {
  FCaption = std::move(value);
  Changed();
}

void TKelTitleBarLabel::Changed() {
  AdjustSize();
  FOwner.Invalidate();
}

void TKelTitleBarLabel::AdjustSize() {
  if (!FAutoSize) return;
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return;
  SelectScope font(dc.Get(), fontCache_.For(FFont));
  const TKelSize size =
      TitleCaptionAutoSize(FAutoSizeMaxWidth, FAutoSizeMaxHeight,
                           {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, FTextDrawFlags,
                           GdiMeasurer(dc.Get(), FCaption));
  FWidth = size.width;
  FHeight = size.height;
}

void TKelTitleBarLabel::Paint(HDC dc) {
  if (FCaption.empty()) return;
  SelectScope font(dc, fontCache_.For(FFont));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorOf(FFont));
  DrawCaption(dc, FCaption, RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}, FTextDrawFlags);
}

// TKelTitleBarLogo

void TKelTitleBarLogo::Assign(const TKelTitleBarLogo& source) {
  FLeft = source.FLeft;
  FTop = source.FTop;
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  FAutoSize = source.FAutoSize;
  SetLogo(source.FLogo);
}

void TKelTitleBarLogo::SetLeft(int value) {
  FLeft = value;
  FOwner.Invalidate();
}
void TKelTitleBarLogo::SetTop(int value) {
  FTop = value;
  FOwner.Invalidate();
}
void TKelTitleBarLogo::SetWidth(int value) {
  FWidth = value;
  FOwner.Invalidate();
}
void TKelTitleBarLogo::SetHeight(int value) {
  FHeight = value;
  FOwner.Invalidate();
}
void TKelTitleBarLogo::SetAutoSize(bool value) {
  FAutoSize = value;
  AdjustSize();
  FOwner.Invalidate();
}

void TKelTitleBarLogo::SetLogo(const TKelPicture& value) {
  FLogo = value;
  AdjustSize();
  FOwner.Invalidate();
}

void TKelTitleBarLogo::AdjustSize() {
  if (!FAutoSize || FLogo.Empty()) return;
  FWidth = FLogo.Width();
  FHeight = FLogo.Height();
}

// TKelTitleBar

TKelTitleBar::TKelTitleBar() : FTitleBar(*this), FSubtitleBar(*this), FVersionBar(*this), FLogoBar(*this) {}

void TKelTitleBar::BoundsChanged() {
  FTitleBar.AdjustSize();
  FSubtitleBar.AdjustSize();
  FLogoBar.AdjustSize();
}

void TKelTitleBar::Paint(HDC dc) {
  // The logo at its natural size, then the captions.
  if (!FLogoBar.Logo().Empty()) FLogoBar.Logo().Draw(dc, FLogoBar.Left(), FLogoBar.Top());
  FTitleBar.Paint(dc);
  FSubtitleBar.Paint(dc);
  FVersionBar.Paint(dc);
}

void TKelTitleBar::MouseDown(MouseButton button, POINT p) {
  TKelControl::MouseDown(button, p);
  if (FMoveHandler) DragHostWindow();
}

}  // namespace ovalin::controls
