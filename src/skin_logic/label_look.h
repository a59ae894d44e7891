// Which font and colour a skinned label draws with in its present state.
#pragma once

#include "skin_logic/kel_types.h"

namespace ovalin::controls {

enum class LabelFontSlot { Font, Hover, MouseDown, Disabled };

struct LabelLook {
  LabelFontSlot font = LabelFontSlot::Font;
  bool visitedColor = false;  // draw in VisitedColor instead of the font's colour
};

// TKelLabel: its font, or FontDisabled when disabled and Disabled is in the flags.
LabelLook PlainLabelLook(bool enabled, TKelMultiFontsFlags flags);

struct LinkLookInput {
  bool enabled = true;
  bool hover = false;
  bool down = false;
  bool visited = false;
  bool enableVisitedColor = false;
  TKelMultiFontsFlags flags = 0;
};
// TKelURLLabel by pointer state.
LabelLook LinkLabelLook(const LinkLookInput& in);

}  // namespace ovalin::controls
