#include "skin_logic/label_look.h"

namespace ovalin::controls {

LabelLook PlainLabelLook(bool enabled, TKelMultiFontsFlags flags) {
  LabelLook look;
  if (!enabled && (flags & kfDisabled)) look.font = LabelFontSlot::Disabled;
  return look;
}

LabelLook LinkLabelLook(const LinkLookInput& in) {
  LabelLook look;
  if (!in.enabled) {
    // A disabled link keeps its colour rules of the normal state.
    if (in.flags & kfDisabled) look.font = LabelFontSlot::Disabled;
    look.visitedColor = in.visited && in.enableVisitedColor;
    return look;
  }
  if (in.hover) {
    if (in.flags & kfMouseHover) look.font = LabelFontSlot::Hover;
    look.visitedColor = in.visited && in.enableVisitedColor;
  } else if (in.down) {
    if (in.flags & kfMouseDown) look.font = LabelFontSlot::MouseDown;
    look.visitedColor = in.enableVisitedColor;
  } else {
    look.visitedColor = in.visited && in.enableVisitedColor;
  }
  return look;
}

}  // namespace ovalin::controls
