// Dresses image buttons in the skin's state pictures.
#pragma once

#include "controls/kel_button.h"

namespace ovalin::controls {

enum class SkinButtonKind { Push, Help, Minimize, Close };

// Loads the four state pictures of kind from the program's resources into button.
void ApplySkin(TKelCustomButton& button, SkinButtonKind kind);

}  // namespace ovalin::controls
