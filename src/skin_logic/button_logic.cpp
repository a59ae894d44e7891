#include "skin_logic/button_logic.h"

#include <algorithm>

namespace ovalin::controls {

ButtonPictureSlot SelectButtonPicture(const ButtonVisualState& state,
                                      const std::array<bool, 4>& present) {
  ButtonPictureSlot slot = ButtonPictureSlot::Normal;
  if (!state.enabled) slot = ButtonPictureSlot::Disabled;
  else if (state.down) slot = ButtonPictureSlot::MouseDown;
  else if (state.hover) slot = ButtonPictureSlot::MouseHover;
  if (!present[static_cast<int>(slot)]) slot = ButtonPictureSlot::Normal;
  return slot;
}

ButtonFontSlot SelectButtonFont(const ButtonVisualState& state, bool enableMultiFonts) {
  if (!enableMultiFonts) return ButtonFontSlot::Font;
  if (!state.enabled) return ButtonFontSlot::Disabled;
  if (state.down) return ButtonFontSlot::MouseDown;
  if (state.hover) return ButtonFontSlot::MouseHover;
  return ButtonFontSlot::Font;
}

TKelRect PlacePicture(TKelAlignment alignment, TKelSize control, TKelSize picture,
                      TKelPoint point, int margins, bool stretch) {
  if (stretch) {
    return {margins, margins, control.width - margins, control.height - margins};
  }
  const int centreX = (control.width - picture.width) / 2;
  const int centreY = (control.height - picture.height) / 2;
  const int rightX = control.width - picture.width;
  const int bottomY = control.height - picture.height;
  int left = 0;
  int top = 0;
  using A = TKelAlignment;
  switch (alignment) {
    case A::TopLeft: break;
    case A::TopCenter: left = centreX; break;
    case A::TopRight: left = rightX; break;
    case A::MiddleLeft:
    case A::Left: top = centreY; break;
    case A::MiddleCenter:
    case A::Center: left = centreX; top = centreY; break;
    case A::MiddleRight:
    case A::Right: left = rightX; top = centreY; break;
    case A::BottomLeft: top = bottomY; break;
    case A::BottomCenter: left = centreX; top = bottomY; break;
    case A::BottomRight: left = rightX; top = bottomY; break;
    case A::Custom: left = point.x; top = point.y; break;
    case A::TopCustom: left = point.x; break;
    case A::MiddleCustom: left = point.x; top = centreY; break;
    case A::BottomCustom: left = point.x; top = bottomY; break;
    case A::CustomLeft: top = point.y; break;
    case A::CustomCenter: left = centreX; top = point.y; break;
    case A::CustomRight: left = rightX; top = point.y; break;
  }
  left = std::max(left, margins);
  top = std::max(top, margins);
  return {left, top, left + picture.width, top + picture.height};
}

ButtonBorder SelectButtonBorder(TKelImageButtonStyle style, const ButtonVisualState& state) {
  if (style == TKelImageButtonStyle::WinFlat) {
    if (!state.enabled) return ButtonBorder::None;
    if (state.down) return ButtonBorder::Sunken;
    if (state.hover) return ButtonBorder::Raised;
    return ButtonBorder::None;
  }
  if (!state.enabled) return ButtonBorder::Sunken;
  if (state.down) return ButtonBorder::Frame;
  return ButtonBorder::Raised;
}

int StyleMargins(bool drawBorder, bool drawFocused) {
  return (drawBorder ? 2 : 0) + (drawFocused ? 2 : 0);
}

bool DialogKeyClicks(bool isEnter, bool isEscape, KeyModifiers m, bool isActive, bool isCancel,
                     bool canFocus) {
  if (m.shift || m.ctrl || m.alt || !canFocus) return false;
  return (isEnter && isActive) || (isEscape && isCancel);
}

bool ButtonIsActive(bool focusedIsSkinnedButton, bool focusedIsThis, bool isDefault) {
  return focusedIsSkinnedButton ? focusedIsThis : isDefault;
}

}  // namespace ovalin::controls
