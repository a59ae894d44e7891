#include "controls/kel_label.h"

#include "controls/control_host.h"
#include "controls/pav_utils.h"
#include "controls/text_draw.h"
#include "skin_logic/label_look.h"

namespace ovalin::controls {

TKelCustomLabel::TKelCustomLabel() {
  FFontHover = Font();
  FFontMouseDwon = Font();
  FFontDisabled = Font();
  FFontHover.OnChange = [this] { Invalidate(); };
  FFontMouseDwon.OnChange = nullptr;
  FFontDisabled.OnChange = nullptr;
}

void TKelCustomLabel::SetCaption(std::u16string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  Invalidate();
  AdjustSize();
}

void TKelCustomLabel::ResizeOrRepaint() {
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TKelCustomLabel::SetTextTrimming(TKelTextTrimmingType value) {
  if (value == FTextTrimmingType) return;
  FTextTrimmingType = value;
  FTextDrawFlags = ApplyTextTrimming(FTextDrawFlags, value);
  ResizeOrRepaint();
}

void TKelCustomLabel::SetWordWrap(bool value) {
  const std::uint32_t next = ApplyWordWrap(FTextDrawFlags, value);
  if (next == FTextDrawFlags) return;
  FTextDrawFlags = next;
  ResizeOrRepaint();
}

void TKelCustomLabel::SetTextAlignment(TKelAlignment value) {
  if (value == FTextAlignment) return;
  FTextAlignment = value;
  ResizeOrRepaint();
}

void TKelCustomLabel::SetTextX(int value) {
  if (value == FTextPoint.x) return;
  FTextPoint.x = value;
  Invalidate();
}

void TKelCustomLabel::SetTextY(int value) {
  if (value == FTextPoint.y) return;
  FTextPoint.y = value;
  Invalidate();
}

void TKelCustomLabel::SetTextMargins(int value) {
  if (value == FTextMargins) return;
  FTextMargins = value;
  ResizeOrRepaint();
}

void TKelCustomLabel::SetAutoSizeMaxWidth(int value) {
  if (value == FAutoSizeMaxWidth) return;
  FAutoSizeMaxWidth = value;
  ResizeOrRepaint();
}

void TKelCustomLabel::SetAutoSizeMaxHeight(int value) {
  if (value == FAutoSizeMaxHeight) return;
  FAutoSizeMaxHeight = value;
  ResizeOrRepaint();
}

void TKelCustomLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  ResizeOrRepaint();
}

void TKelCustomLabel::SetFontsFlags(TKelMultiFontsFlags value) {
  if (value == FFontsFlags) return;
  FFontsFlags = value;
  Invalidate();
}

void TKelCustomLabel::SetFontHover(const TKelFont* value) {
  if (value == nullptr) return;
  CopyFont(FFontHover, *value);
  Invalidate();
}

void TKelCustomLabel::SetFontDisabled(const TKelFont* value) {
  if (value == nullptr) return;
  CopyFont(FFontDisabled, *value);
  Invalidate();
}

void TKelCustomLabel::SetURL(const std::u16string& value) { FURL = TrimBlanks(value); }

void TKelCustomLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TKelCustomLabel::SetColor(COLORREF value) {
  if (value == color_) return;
  color_ = value;
  Invalidate();
}

void TKelCustomLabel::SetEnabled(bool value) { TKelControl::SetEnabled(value); }

void TKelCustomLabel::FontChanged() {
  if (autoSize_) AdjustSize();
  Invalidate();
}

HFONT TKelCustomLabel::HandleOf(const TKelFont& font) {
  int slot = 0;
  if (&font == &FFontHover) slot = 1;
  else if (&font == &FFontMouseDwon) slot = 2;
  else if (&font == &FFontDisabled) slot = 3;
  return fontCache_[slot].For(font);
}

TextLayout TKelCustomLabel::CalcTextRect(HDC dc) const {
  TextLayoutInput in;
  in.width = Width();
  in.height = Height();
  in.flags = FTextDrawFlags;
  in.alignment = FTextAlignment;
  in.textPoint = FTextPoint;
  in.margins = FTextMargins;
  return ovalin::controls::CalcTextRect(in, GdiMeasurer(dc, caption_));
}

void TKelCustomLabel::AdjustSize() {
  if (!autoSize_) return;
  bool hasParent = false;
  RECT parentClient{};
  if (Host() != nullptr && Host()->Handle() != nullptr) {
    hasParent = GetClientRect(Host()->Handle(), &parentClient) != FALSE;
  }
  const int widthLimit = LabelAutoSizeLimit(FAutoSizeMaxWidth, hasParent, parentClient.right, Left());
  const int heightLimit = LabelAutoSizeLimit(FAutoSizeMaxHeight, hasParent, parentClient.bottom, Top());

  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return;
  SelectScope font(dc.Get(), HandleOf(Font()));
  const TKelSize size = LabelAutoSize(FAutoSizeMaxWidth, FAutoSizeMaxHeight, widthLimit, heightLimit,
                                      FTextDrawFlags, GdiMeasurer(dc.Get(), caption_));
  SetSize(size.width, size.height);
}

void TKelCustomLabel::PaintBackgroundIfOpaque(HDC dc) {
  if (transparent_) return;
  UniqueBrush brush(CreateSolidBrush(color_));
  RECT r{0, 0, Width(), Height()};
  FillRect(dc, &r, brush.Get());
}

void TKelCustomLabel::PaintCaption(HDC dc, const TKelFont& font, COLORREF color) {
  if (caption_.empty()) return;
  SelectScope select(dc, HandleOf(font));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, color);
  const TextLayout layout = CalcTextRect(dc);
  DrawCaption(dc, caption_, ToRect(layout.rect), layout.flags);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

// TKelLabel

void TKelLabel::Paint(HDC dc) {
  PaintBackgroundIfOpaque(dc);
  const LabelLook look = PlainLabelLook(Enabled(), FFontsFlags);
  const TKelFont& font = look.font == LabelFontSlot::Disabled ? FFontDisabled : Font();
  PaintCaption(dc, font, ColorOf(font));
}

void TKelLabel::MouseDown(MouseButton, POINT) {
  // The label's mouse-down event is never raised; with MoveHandler the press drags the
  // window instead.
  if (FMoveHandler) DragHostWindow();
}

void TKelLabel::Click() {
  TKelControl::Click();
  const LabelClickPlan plan = PlanLabelClick(false, static_cast<bool>(OnCommand), FURL);
  if (plan.callOnCommand) OnCommand();
  if (plan.openUrl) OpenAddress(Host() ? Host()->Handle() : nullptr, FURL);
}

// TKelURLLabel

TKelURLLabel::TKelURLLabel() {
  Font().SetColor(GetSysColor(COLOR_HIGHLIGHT));
  Font().SetStyle(Font().Style() | fsUnderline);
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  SetMoveHandler(false);
}

void TKelURLLabel::SetMoveHandler(bool value) {
  TKelCustomLabel::SetMoveHandler(value);
  pointer_.SetMoveHandler(value);
}

void TKelURLLabel::SetVisited(bool value) {
  if (value == FVisited) return;
  FVisited = value;
  Invalidate();
}

void TKelURLLabel::SetEnableVisitedColor(bool value) {
  if (value == FEnableVisitedColor) return;
  FEnableVisitedColor = value;
  Invalidate();
}

void TKelURLLabel::SetVisitedColor(COLORREF value) {
  if (value == FVisitedColor) return;
  FVisitedColor = value;
  Invalidate();
}

void TKelURLLabel::Paint(HDC dc) {
  PaintBackgroundIfOpaque(dc);
  LinkLookInput in;
  in.enabled = Enabled();
  in.hover = pointer_.Hover();
  in.down = pointer_.Down();
  in.visited = FVisited;
  in.enableVisitedColor = FEnableVisitedColor;
  in.flags = FFontsFlags;
  const LabelLook look = LinkLabelLook(in);
  const TKelFont* font = &Font();
  switch (look.font) {
    case LabelFontSlot::Hover: font = &FFontHover; break;
    case LabelFontSlot::MouseDown: font = &FFontMouseDwon; break;
    case LabelFontSlot::Disabled: font = &FFontDisabled; break;
    case LabelFontSlot::Font: break;
  }
  PaintCaption(dc, *font, look.visitedColor ? FVisitedColor : ColorOf(*font));
}

void TKelURLLabel::MouseDown(MouseButton button, POINT) {
  switch (pointer_.Press(button == MouseButton::Left)) {
    case LinkPointer::PressResult::DragWindow: DragHostWindow(); break;
    case LinkPointer::PressResult::Pressed: Invalidate(); break;
    case LinkPointer::PressResult::Ignored: break;
  }
}

void TKelURLLabel::MouseUp(MouseButton, POINT p) {
  if (pointer_.Release(Inside(p))) Invalidate();
}

void TKelURLLabel::MouseMove(POINT p, bool buttonHeld) {
  if (!Inside(p) && pointer_.MoveOutside(buttonHeld)) Invalidate();
}

void TKelURLLabel::MouseEnter() {
  if (pointer_.Enter()) Invalidate();
}

void TKelURLLabel::MouseLeave() {
  if (pointer_.Leave()) Invalidate();
}

void TKelURLLabel::Click() {
  TKelControl::Click();
  const std::u16string url = TrimBlanks(FURL);
  const LabelClickPlan plan = PlanLabelClick(true, static_cast<bool>(OnCommand), url);
  if (plan.callOnCommand) OnCommand();
  if (plan.openUrl && OpenAddress(Host() ? Host()->Handle() : nullptr, url)) SetVisited(true);
}

}  // namespace ovalin::controls
