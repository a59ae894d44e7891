// Restricts where the process loads DLLs from to the system folder and the program's own
// folder. Call first thing at start-up: the program runs elevated, and a DLL planted in
// the current folder or on PATH must never be loaded.
#pragma once

namespace ovalin::controls {

// True when the restriction is in force (SetDefaultDllDirectories exists from Windows 8
// on, and on Windows 7 with update KB2533623). The current folder is removed from the
// search either way.
bool RestrictDllSearch();

}  // namespace ovalin::controls
