// Puts text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace ovalin::controls {

// CF_UNICODETEXT with the text; owner is the window that owns the clipboard while it is
// open. False when the clipboard is held by another program or memory ran out.
bool CopyTextToClipboard(HWND owner, const std::u16string& text);

}  // namespace ovalin::controls
