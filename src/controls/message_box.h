// The program's message boxes: through the optional "CMBLib.dll" (export "MessageBox")
// when it sits in the program's own folder, else through MessageBoxExW with the same
// arguments. The library is looked for only by its full path in the program's folder,
// never through the DLL search path: the program runs elevated.
#pragma once

#include <windows.h>

#include <string>

#include "controls/win_handles.h"

namespace ovalin::controls {

class TMessageBoxLibrary {
 public:
  // Loads programFolder + "CMBLib.dll" (programFolder ends in a backslash). A missing
  // library or export selects the platform's message box, silently.
  explicit TMessageBoxLibrary(const std::u16string& programFolder);
  // The program's own folder, from its module path.
  static std::u16string ProgramFolder();

  bool Loaded() const { return function_ != nullptr; }
  int Show(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type,
           LANGID language) const;

 private:
  using MessageBoxFunction = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT, WORD, DWORD);
  UniqueModule module_;
  MessageBoxFunction function_ = nullptr;
};

// ShowMessageBox of the windows: library may be nullptr (platform message box).
int ShowMessageBox(const TMessageBoxLibrary* library, HWND owner, const std::u16string& text,
                   const std::u16string& caption, LANGID language, UINT type);

}  // namespace ovalin::controls
