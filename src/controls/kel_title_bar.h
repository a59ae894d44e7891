// The title area of a skinned window: a logo and up to three captions (title, subtitle,
// version), each with its own font, flags and bounds inside the bar, auto-sized to its
// text by default. Dragging the bar moves the window (MoveHandler).
#pragma once

#include <string>

#include "controls/gdi_font.h"
#include "controls/kel_control.h"
#include "controls/kel_picture.h"
#include "skin_logic/kel_types.h"

namespace ovalin::controls {

class TKelTitleBar;

class TKelTitleBarLabel {
 public:
  // A caption always belongs to a title bar; its font starts as a copy of the bar's.
  explicit TKelTitleBarLabel(TKelTitleBar& owner);
  TKelTitleBarLabel(const TKelTitleBarLabel&) = delete;
  TKelTitleBarLabel& operator=(const TKelTitleBarLabel&) = delete;
  // Copies the settings of another caption.
  void Assign(const TKelTitleBarLabel& source);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { Set(FLeft, value); }
  void SetTop(int value) { Set(FTop, value); }
  void SetWidth(int value) { Set(FWidth, value); }
  void SetHeight(int value) { Set(FHeight, value); }
  int AutoSizeMaxWidth() const { return FAutoSizeMaxWidth; }
  int AutoSizeMaxHeight() const { return FAutoSizeMaxHeight; }
  void SetAutoSizeMaxWidth(int value) { Set(FAutoSizeMaxWidth, value); }
  void SetAutoSizeMaxHeight(int value) { Set(FAutoSizeMaxHeight, value); }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value) { Set(FAutoSize, value); }
  std::uint32_t TextDrawFlags() const { return FTextDrawFlags; }
  bool WordWrap() const { return (FTextDrawFlags & dt::kSingleLine) == 0; }
  void SetWordWrap(bool value);
  TKelFont& Font() { return FFont; }
  const TKelFont& Font() const { return FFont; }
  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(std::u16string value);

  // Measures the caption and takes its size (when AutoSize is on).
  void AdjustSize();
  void Paint(HDC dc);

 private:
  template <typename T>
  void Set(T& field, T value) {
    field = value;
    Changed();
  }
  void Changed();

  TKelTitleBar& FOwner;
  int FLeft = 48;
  int FTop = 0;
  int FWidth = 72;
  int FHeight = 16;
  int FAutoSizeMaxWidth = 0;
  int FAutoSizeMaxHeight = 0;
  bool FAutoSize = true;
  std::uint32_t FTextDrawFlags = dt::kDefaultTitleFlags;
  TKelFont FFont;
  std::u16string FCaption;
  GdiFontCache fontCache_;
};

class TKelTitleBarLogo {
 public:
  explicit TKelTitleBarLogo(TKelTitleBar& owner) : FOwner(owner) {}
  TKelTitleBarLogo(const TKelTitleBarLogo&) = delete;
  TKelTitleBarLogo& operator=(const TKelTitleBarLogo&) = delete;
  void Assign(const TKelTitleBarLogo& source);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value);
  void SetTop(int value);
  void SetWidth(int value);
  void SetHeight(int value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  const TKelPicture& Logo() const { return FLogo; }
  // Copies the picture, takes its size when AutoSize is on, repaints.
  void SetLogo(const TKelPicture& value);
  void AdjustSize();

 private:
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 48;
  int FHeight = 48;
  bool FAutoSize = true;
  TKelTitleBar& FOwner;
  TKelPicture FLogo;
};

class TKelTitleBar : public TKelControl {
 public:
  TKelTitleBar();

  TKelTitleBarLabel& TitleBar() { return FTitleBar; }
  TKelTitleBarLabel& SubtitleBar() { return FSubtitleBar; }
  TKelTitleBarLabel& VersionBar() { return FVersionBar; }
  TKelTitleBarLogo& LogoBar() { return FLogoBar; }
  bool MoveHandler() const { return FMoveHandler; }
  void SetMoveHandler(bool value) { FMoveHandler = value; }

  void Paint(HDC dc) override;
  void MouseDown(MouseButton button, POINT p) override;
  const char16_t* TextKind() const override { return u"title"; }
  std::u16string Text() const override { return FTitleBar.Caption(); }

 protected:
  void BoundsChanged() override;

 private:
  TKelTitleBarLabel FTitleBar;
  TKelTitleBarLabel FSubtitleBar;
  TKelTitleBarLabel FVersionBar;
  TKelTitleBarLogo FLogoBar;
  bool FMoveHandler = true;
};

}  // namespace ovalin::controls
