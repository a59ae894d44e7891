// The texts a skinned window shows, for programs outside it: its labels and title bar are
// painted by the window itself, so neither WM_GETTEXT nor accessibility sees them. A
// process that wants them sends the window the registered message below with its own
// window handle as wParam; the window answers at once with one WM_COPYDATA to that handle
// whose data is UTF-16 text (dwData kControlTextsData), one line per visible control:
//   kind TAB left,top TAB state TAB text
// kind is "label", "title" or "button"; left,top the control's position in the window's
// client area; state "enabled" or "disabled"; line breaks inside a text are written as
// "\n". tests/e2e/window_texts.c prints these lines; the end-to-end tests read the
// numbers a window shows with it.
#pragma once

#include <windows.h>

#include <string>

namespace ovalin::controls {

constexpr ULONG_PTR kControlTextsData = 0x4F54584C;  // "OTXL"

// RegisterWindowMessageW("OvalinControlTexts").
UINT ControlTextsMessage();

// One line of the answer.
std::u16string ControlTextLine(const char16_t* kind, const RECT& bounds, bool enabled,
                               const std::u16string& text);

// Sends the lines to the asking window.
void SendControlTexts(HWND from, HWND to, const std::u16string& lines);

}  // namespace ovalin::controls
