// Arithmetic of showing a dialog over its owner.
#pragma once

#include "skin_logic/kel_types.h"

namespace ovalin::controls {

// Top-left corner that centres a window of size child on owner (halves truncated toward
// zero, so a larger child may start left of or above the owner).
inline TKelPoint CentreOver(const TKelRect& owner, TKelSize child) {
  return {owner.left + (owner.Width() - child.width) / 2,
          owner.top + (owner.Height() - child.height) / 2};
}

}  // namespace ovalin::controls
