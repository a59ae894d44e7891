#include "controls/skin_buttons.h"

#include "controls/skin_pictures.h"

namespace ovalin::controls {

void ApplySkin(TKelCustomButton& button, SkinButtonKind kind) {
  struct Names {
    const wchar_t* normal;
    const wchar_t* hover;
    const wchar_t* down;
    const wchar_t* disabled;
  };
  static constexpr Names kNames[] = {
      {kSkinButtonNormal, kSkinButtonHover, kSkinButtonDown, kSkinButtonDisabled},
      {kSkinHelpNormal, kSkinHelpHover, kSkinHelpDown, kSkinHelpDisabled},
      {kSkinMinimizeNormal, kSkinMinimizeHover, kSkinMinimizeDown, kSkinMinimizeDisabled},
      {kSkinCloseNormal, kSkinCloseHover, kSkinCloseDown, kSkinCloseDisabled},
  };
  const Names& names = kNames[static_cast<int>(kind)];
  HMODULE module = GetModuleHandleW(nullptr);
  button.SetPictureNormal(TKelPicture::FromResource(module, names.normal));
  button.SetPictureMouseHover(TKelPicture::FromResource(module, names.hover));
  button.SetPictureMouseDown(TKelPicture::FromResource(module, names.down));
  button.SetPictureDisabled(TKelPicture::FromResource(module, names.disabled));
}

}  // namespace ovalin::controls
