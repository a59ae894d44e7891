// The portable decisions of the skinned image buttons: which state picture and font to
// draw, where the picture goes, which bevel the two border styles draw, the margins a
// style change sets, and which keys click a button.
#pragma once

#include <array>

#include "skin_logic/kel_types.h"

namespace ovalin::controls {

enum class ButtonPictureSlot { Normal, MouseHover, MouseDown, Disabled };

struct ButtonVisualState {
  bool enabled = true;
  bool down = false;
  bool hover = false;
};

// The state picture: disabled, else pressed, else under the pointer, else normal; a
// chosen picture that is empty falls back to the normal one. present[slot] tells which
// pictures are not empty.
ButtonPictureSlot SelectButtonPicture(const ButtonVisualState& state,
                                      const std::array<bool, 4>& present);

enum class ButtonFontSlot { Font, MouseHover, MouseDown, Disabled };
// The state font: the button's own unless EnableMultiFonts.
ButtonFontSlot SelectButtonFont(const ButtonVisualState& state, bool enableMultiFonts);

// Where a picture of size picture goes in a control of size control.
TKelRect PlacePicture(TKelAlignment alignment, TKelSize control, TKelSize picture,
                      TKelPoint picturePoint, int margins, bool stretch);

enum class TKelImageButtonStyle { WinFlat, WinNormal };
enum class ButtonBorder { None, Raised, Sunken, Frame };
ButtonBorder SelectButtonBorder(TKelImageButtonStyle style, const ButtonVisualState& state);

// PictureMargins and TextMargins after a style change.
int StyleMargins(bool drawBorder, bool drawFocused);

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};
// Whether a dialog key (Enter or Escape) clicks this button.
bool DialogKeyClicks(bool isEnter, bool isEscape, KeyModifiers modifiers, bool isActive,
                     bool isCancel, bool canFocus);

// FIsActive after the focus moved: only the focused skinned button is active; when the
// focus went to something else, the default button is.
bool ButtonIsActive(bool focusedIsSkinnedButton, bool focusedIsThis, bool isDefault);

}  // namespace ovalin::controls
