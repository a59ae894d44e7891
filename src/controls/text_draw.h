// Caption drawing and measuring with DrawTextW, and the measurer the portable layout
// arithmetic runs over.
#pragma once

#include <windows.h>

#include <string>

#include "skin_logic/text_layout.h"

namespace ovalin::controls {

inline RECT ToRect(const TKelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline TKelRect FromRect(const RECT& r) { return TKelRect{r.left, r.top, r.right, r.bottom}; }

// Draws text into rect with flags (DT_MODIFYSTRING is honoured on a private copy).
void DrawCaption(HDC dc, const std::u16string& text, RECT rect, UINT flags);
// A measurer over dc with its currently selected font.
TextMeasurer GdiMeasurer(HDC dc, const std::u16string& text);

}  // namespace ovalin::controls
