// Helpers the skinned controls and the windows share: opening addresses, painting what
// lies under a transparent control, where the pointer is, and bringing a window to the
// front.
#pragma once

#include <windows.h>

#include <string>

#include "localisation/kel_font.h"

namespace ovalin::controls {

class TKelScrollBox;

// ShellExecuteExW "Open" with SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT |
// SEE_MASK_FLAG_NO_UI. When that fails and the address ends in ".htm" (any case), the
// system's open-with dialog is offered. True only when the first open succeeded.
bool OpenAddress(HWND owner, const std::u16string& address);

// Paints into dc, shifted so that control's top left is the origin and clipped to the
// parent's client area, the parent's own background and windowless controls, then each
// visible windowed sibling below control in the z-order, with their children.
void PaintParentBackground(HDC dc, HWND control);

// True when box is visible, its top-level window is not minimised and the pointer lies
// inside the box's window rectangle (left and top edges included).
bool IsMouseOverControl(const TKelScrollBox& box);

// Attaches to the foreground window's input, sets hwnd foreground, detaches again.
bool ForceForegroundWindow(HWND hwnd);

// Copies every property of source into target, keeping target's change notification,
// which is raised once.
void CopyFont(TKelFont& target, const TKelFont& source);

inline const wchar_t* WidePtr(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace ovalin::controls
