#include "controls/dll_search.h"

#include <windows.h>

namespace ovalin::controls {

bool RestrictDllSearch() {
  SetDllDirectoryW(L"");  // removes the current folder from the search order
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return false;
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  constexpr DWORD kSystem32 = 0x00000800;         // LOAD_LIBRARY_SEARCH_SYSTEM32
  constexpr DWORD kApplicationDir = 0x00000200;   // LOAD_LIBRARY_SEARCH_APPLICATION_DIR
  return setDefault != nullptr && setDefault(kSystem32 | kApplicationDir) != FALSE;
}

}  // namespace ovalin::controls
