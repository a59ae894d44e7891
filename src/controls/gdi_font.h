// GDI fonts from the portable font object of the localisation layer. Sizes are points at
// 96 dots per inch, the pixel sizes the windows are laid out in (8 points = 11 pixels),
// whatever the screen's own setting.
#pragma once

#include <windows.h>

#include "controls/win_handles.h"
#include "localisation/kel_font.h"

namespace ovalin::controls {

// The LOGFONTW the font object describes.
LOGFONTW LogFontOf(const TKelFont& font);
UniqueFont CreateGdiFont(const TKelFont& font);
inline COLORREF ColorOf(const TKelFont& font) { return static_cast<COLORREF>(font.Color() & 0xFFFFFF); }

// One HFONT kept for a font object and recreated only when the object's description
// changed since the last call.
class GdiFontCache {
 public:
  HFONT For(const TKelFont& font);

 private:
  UniqueFont handle_;
  LOGFONTW key_{};
};

}  // namespace ovalin::controls
