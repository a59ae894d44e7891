// Skinned push buttons. TKelCustomButton is a focusable child window that draws the
// picture of its present state (normal, under the pointer, pressed, disabled) with its
// caption on top into its own back buffer, see-through to the window behind it when
// Transparent. A click sets the form's ModalResult and may open a URL; Enter clicks the
// active (focused or default) button and Escape the Cancel button. TKelImageButton adds
// the two border styles and the focus frame.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "controls/gdi_font.h"
#include "controls/kel_control.h"
#include "controls/kel_picture.h"
#include "controls/win_handles.h"
#include "controls/window.h"
#include "localisation/kel_font.h"
#include "skin_logic/button_logic.h"
#include "skin_logic/pointer_logic.h"
#include "skin_logic/text_layout.h"

namespace ovalin::controls {

class TKelControlHost;

class TKelCustomButton : public Window {
 public:
  TKelCustomButton();
  ~TKelCustomButton() override;

  // Creates the button window on parent (a form or a scroll box).
  bool Create(TKelControlHost& parent, int left, int top, int width, int height);
  void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string value);

  bool Cancel() const { return FIsCancel; }
  void SetCancel(bool value) { FIsCancel = value; }
  bool Default() const { return FIsDefault; }
  void SetDefault(bool value);
  const std::u16string& URL() const { return FURL; }
  void SetURL(std::u16string value) { FURL = std::move(value); }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }
  bool Transparent() const { return FIsTransparent; }
  void SetTransparent(bool value) { Store(FIsTransparent, value); }
  bool Stretch() const { return FIsStretch; }
  void SetStretch(bool value) { Store(FIsStretch, value); }
  bool DrawFocused() const { return FIsDrawFocused; }
  void SetDrawFocused(bool value) { Store(FIsDrawFocused, value); }
  bool DrawBorder() const { return FIsDrawBorder; }
  void SetDrawBorder(bool value) { Store(FIsDrawBorder, value); }
  bool EnableMultiFonts() const { return FIsEnableMultiFonts; }
  void SetEnableMultiFonts(bool value) { Store(FIsEnableMultiFonts, value); }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF value) { Store(color_, value); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const;
  void SetVisible(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  int AutoSizeMaxWidth() const { return FAutoSizeMaxWidth; }
  int AutoSizeMaxHeight() const { return FAutoSizeMaxHeight; }
  void SetAutoSizeMaxWidth(int value);
  void SetAutoSizeMaxHeight(int value);

  // The button's font and the state fonts (used with EnableMultiFonts). A change repaints.
  TKelFont& Font() { return font_; }
  TKelFont& FontMouseHover() { return FFontMouseHover; }
  TKelFont& FontMouseDown() { return FFontMouseDown; }
  TKelFont& FontDisabled() { return FFontDisabled; }

  const TKelPicture& PictureNormal() const { return FPictureNormal; }
  void SetPictureNormal(const TKelPicture& value) { SetPicture(FPictureNormal, value); }
  void SetPictureMouseHover(const TKelPicture& value) { SetPicture(FPictureMouseHover, value); }
  void SetPictureMouseDown(const TKelPicture& value) { SetPicture(FPictureMouseDown, value); }
  void SetPictureDisabled(const TKelPicture& value) { SetPicture(FPictureDisabled, value); }

  TKelAlignment PictureAlignment() const { return FPictureAlignment; }
  void SetPictureAlignment(TKelAlignment value) { Store(FPictureAlignment, value); }
  void SetPictureX(int value) { Store(FPicturePoint.x, value); }
  void SetPictureY(int value) { Store(FPicturePoint.y, value); }
  int PictureMargins() const { return FPictureMargins; }
  void SetPictureMargins(int value) { Store(FPictureMargins, value); }

  std::uint32_t TextDrawFlags() const { return FTextDrawFlags; }
  TKelTextTrimmingType TextTrimming() const { return FTextTrimmingType; }
  void SetTextTrimming(TKelTextTrimmingType value);
  bool WordWrap() const { return IsWordWrap(FTextDrawFlags); }
  void SetWordWrap(bool value);
  TKelAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TKelAlignment value);
  void SetTextX(int value) { Store(FTextPoint.x, value); }
  void SetTextY(int value) { Store(FTextPoint.y, value); }
  int TextMargins() const { return FTextMargins; }
  void SetTextMargins(int value) { Store(FTextMargins, value); }

  // Pointer and focus state.
  bool IsMouseHover() const { return pointer_.Hover(); }
  bool IsMouseDown() const { return pointer_.Down(); }
  bool IsActive() const { return FIsActive; }

  std::function<void()> OnClick;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseExit;
  std::function<void(MouseButton, POINT)> OnMouseDown;
  // The tooltip shown while the pointer rests on the button; empty shows none. Setting
  // it again (a change of language) replaces the text of a tooltip already made.
  const std::u16string& Hint() const { return hint_; }
  void SetHint(const std::u16string& value);

  // Performs a click: hover state, the form's ModalResult, the URL, then OnClick.
  void Click();
  // Enter or Escape reaching the form. True when this button clicked.
  bool HandleDialogKey(UINT virtualKey);
  // Alt + character: true when it is this caption's accelerator (and clicked).
  bool HandleAccelerator(wchar_t character);
  // Recomputes whether Enter presses this button, focused being the skinned button that
  // now has the focus (nullptr: something else has it).
  void UpdateActive(const TKelCustomButton* focused);
  void Repaint() const;
  void AdjustSize();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  virtual void DrawPicture(HDC dc, const TKelPicture& picture);
  virtual void DrawCaption(HDC dc, const std::u16string& text);
  virtual void DrawFocus(HDC) {}
  virtual void DrawBorderFrame(HDC) {}
  virtual const TKelPicture& GetCurrentPicture() const;

  ButtonVisualState VisualState() const { return {enabled_, pointer_.Down(), pointer_.Hover()}; }
  bool Focused() const { return Handle() != nullptr && GetFocus() == Handle(); }

 private:
  template <typename T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  void SetPicture(TKelPicture& field, const TKelPicture& value) {
    field = value;
    Repaint();
  }
  void PaintTo(HDC dc);
  void UpdateTooltip();
  void OnMouseMove(POINT p, WPARAM keys);
  void SetInside(bool inside);
  TextLayoutInput CaptionLayoutInput() const;
  TKelFont& StateFont();
  HFONT HandleOf(TKelFont& font);

  bool FIsCancel = false;
  bool FIsDefault = false;
  std::u16string FURL;
  int FModalResult = 0;
  bool FIsTransparent = true;
  bool FIsStretch = false;
  bool FIsDrawFocused = false;
  bool FIsDrawBorder = false;
  bool FIsEnableMultiFonts = false;
  TKelFont FFontMouseHover;
  TKelFont FFontMouseDown;
  TKelFont FFontDisabled;
  TKelPicture FPictureNormal;
  TKelPicture FPictureMouseHover;
  TKelPicture FPictureMouseDown;
  TKelPicture FPictureDisabled;
  TKelAlignment FPictureAlignment = TKelAlignment::Center;
  TKelPoint FPicturePoint;
  int FPictureMargins = 0;
  std::uint32_t FTextDrawFlags = dt::kDefaultLabelFlags;
  TKelTextTrimmingType FTextTrimmingType = TKelTextTrimmingType::EllipsisWord;
  TKelAlignment FTextAlignment = TKelAlignment::Center;
  TKelPoint FTextPoint;
  int FTextMargins = 0;
  int FAutoSizeMaxWidth = 0;
  int FAutoSizeMaxHeight = 0;
  bool FIsActive = false;

  TKelControlHost* host_ = nullptr;
  std::u16string caption_;
  std::u16string hint_;
  // Owned by the top-level window, which destroys it before the button's WM_DESTROY.
  UniqueWindow tooltip_;
  TKelFont font_;
  ButtonPointer pointer_;
  bool inside_ = false;
  bool trackingLeave_ = false;
  bool enabled_ = true;
  bool tabStop_ = true;
  bool autoSize_ = false;
  COLORREF color_ = RGB(0xF4, 0xF6, 0xF8);
  BackBuffer buffer_;
  GdiFontCache fontCache_[4];
};

class TKelImageButton : public TKelCustomButton {
 public:
  TKelImageButtonStyle Style() const { return FButtonStyle; }
  // On a change, PictureMargins and TextMargins become 4, 2 or 0 by DrawBorder and
  // DrawFocused.
  void SetStyle(TKelImageButtonStyle value);

 protected:
  void DrawFocus(HDC dc) override;
  void DrawBorderFrame(HDC dc) override;

 private:
  TKelImageButtonStyle FButtonStyle = TKelImageButtonStyle::WinFlat;
};

}  // namespace ovalin::controls
