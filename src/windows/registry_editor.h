// Opens the Registry Editor at a key. regedit has no argument for that: it opens at the
// key stored in its own setting "LastKey" (HKCU\...\Applets\Regedit), which is written
// first. A regedit that is running already only comes to the front and stays where it
// is; that is regedit's way.
#pragma once

#include <windows.h>

#include <string>

namespace ovalin::windows {

// The form regedit stores since Windows 10: "Computer\HKEY_LOCAL_MACHINE\SOFTWARE\...".
std::u16string RegeditLastKey(const std::u16string& fullKeyPath);

// Writes LastKey and starts %SystemRoot%\regedit.exe by its full path. False when the
// program could not be started.
bool OpenRegistryEditorAt(HWND owner, const std::u16string& fullKeyPath);

}  // namespace ovalin::windows
