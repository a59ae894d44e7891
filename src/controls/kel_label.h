// Skinned labels: TKelCustomLabel lays its caption out in one of nineteen placements,
// trims it with ellipses, sizes itself to its text within limits and can have other
// fonts in other states; by default pressing on it drags the window (MoveHandler).
// TKelLabel is the plain label, TKelURLLabel a link that changes its look under the
// pointer and opens its URL when clicked.
#pragma once

#include <functional>
#include <string>

#include "controls/kel_control.h"
#include "skin_logic/kel_types.h"
#include "skin_logic/pointer_logic.h"
#include "skin_logic/text_layout.h"

namespace ovalin::controls {

class TKelCustomLabel : public TKelControl {
 public:
  TKelCustomLabel();

  const std::u16string& Caption() const { return caption_; }
  const char16_t* TextKind() const override { return u"label"; }
  std::u16string Text() const override { return caption_; }
  void SetCaption(std::u16string value);

  std::uint32_t TextDrawFlags() const { return FTextDrawFlags; }
  TKelTextTrimmingType TextTrimming() const { return FTextTrimmingType; }
  void SetTextTrimming(TKelTextTrimmingType value);
  bool WordWrap() const { return IsWordWrap(FTextDrawFlags); }
  void SetWordWrap(bool value);
  TKelAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TKelAlignment value);
  int TextX() const { return FTextPoint.x; }
  int TextY() const { return FTextPoint.y; }
  void SetTextX(int value);
  void SetTextY(int value);
  int TextMargins() const { return FTextMargins; }
  void SetTextMargins(int value);
  int AutoSizeMaxWidth() const { return FAutoSizeMaxWidth; }
  int AutoSizeMaxHeight() const { return FAutoSizeMaxHeight; }
  void SetAutoSizeMaxWidth(int value);
  void SetAutoSizeMaxHeight(int value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TKelMultiFontsFlags FontsFlags() const { return FFontsFlags; }
  void SetFontsFlags(TKelMultiFontsFlags value);

  // State fonts: copies of the label's font at creation. Setting one copies the given
  // font; nullptr is ignored.
  TKelFont& FontHover() { return FFontHover; }
  void SetFontHover(const TKelFont* value);
  TKelFont& FontDisabled() { return FFontDisabled; }
  void SetFontDisabled(const TKelFont* value);
  TKelFont& GetFontMouseDown() { return FFontMouseDwon; }

  const std::u16string& URL() const { return FURL; }
  void SetURL(const std::u16string& value);
  bool MoveHandler() const { return FMoveHandler; }
  virtual void SetMoveHandler(bool value) { FMoveHandler = value; }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF value);

  std::function<void()> OnCommand;

  // The rectangle and flags to draw the caption with, measured on dc with its font.
  virtual TextLayout CalcTextRect(HDC dc) const;
  // Sizes the label to its caption when AutoSize is on.
  void AdjustSize();

  void SetEnabled(bool value) override;

 protected:
  void FontChanged() override;
  void HostChanged() override { AdjustSize(); }
  void ResizeOrRepaint();
  void PaintCaption(HDC dc, const TKelFont& font, COLORREF color);
  HFONT HandleOf(const TKelFont& font);
  void PaintBackgroundIfOpaque(HDC dc);

  std::uint32_t FTextDrawFlags = dt::kDefaultLabelFlags;
  TKelTextTrimmingType FTextTrimmingType = TKelTextTrimmingType::EllipsisWord;
  TKelAlignment FTextAlignment = TKelAlignment::TopLeft;
  TKelPoint FTextPoint;
  int FTextMargins = 0;
  int FAutoSizeMaxWidth = 0;
  int FAutoSizeMaxHeight = 0;
  TKelMultiFontsFlags FFontsFlags = 0;
  TKelFont FFontHover;
  TKelFont FFontMouseDwon;
  TKelFont FFontDisabled;
  std::u16string FURL;
  bool FMoveHandler = true;

 private:
  std::u16string caption_;
  bool autoSize_ = true;
  bool transparent_ = true;
  COLORREF color_ = RGB(0xFF, 0xFF, 0xFF);
  GdiFontCache fontCache_[4];
};

class TKelLabel : public TKelCustomLabel {
 public:
  void Paint(HDC dc) override;
  void MouseDown(MouseButton button, POINT p) override;
  void Click() override;
};

class TKelURLLabel : public TKelCustomLabel {
 public:
  TKelURLLabel();

  bool Visited() const { return FVisited; }
  void SetVisited(bool value);
  bool EnableVisitedColor() const { return FEnableVisitedColor; }
  void SetEnableVisitedColor(bool value);
  COLORREF VisitedColor() const { return FVisitedColor; }
  void SetVisitedColor(COLORREF value);
  bool IsMouseHover() const { return pointer_.Hover(); }
  bool IsMouseDown() const { return pointer_.Down(); }

  void SetMoveHandler(bool value) override;

  void Paint(HDC dc) override;
  void MouseDown(MouseButton button, POINT p) override;
  void MouseUp(MouseButton button, POINT p) override;
  void MouseMove(POINT p, bool buttonHeld) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Click() override;

 private:
  bool FVisited = false;
  bool FEnableVisitedColor = false;
  COLORREF FVisitedColor = 0x800080;
  LinkPointer pointer_;
};

}  // namespace ovalin::controls
