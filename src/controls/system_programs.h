// Full paths of the Windows programs the program starts. It runs elevated, so a bare
// name ("hh.exe") would let the shell pick up a program of that name from the current
// folder or a folder on the PATH that a user can write to.
#pragma once

#include <windows.h>

#include <string>

namespace ovalin::controls {

// The Windows folder's program (hh.exe, regedit.exe): "C:\Windows\hh.exe".
std::wstring WindowsFolderProgram(const wchar_t* name);
// The system folder's program (rundll32.exe): "C:\Windows\System32\rundll32.exe".
std::wstring SystemFolderProgram(const wchar_t* name);

}  // namespace ovalin::controls
