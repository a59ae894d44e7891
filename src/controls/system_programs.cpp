#include "controls/system_programs.h"

namespace ovalin::controls {

namespace {

// folder + "\" + name; just the name when the folder is unknown (never on Windows).
std::wstring InFolder(UINT (*folderOf)(LPWSTR, UINT), const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = folderOf(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return name;
  std::wstring path(folder, length);
  if (path.back() != L'\\') path += L'\\';
  return path + name;
}

}  // namespace

std::wstring WindowsFolderProgram(const wchar_t* name) {
  // The system's Windows folder, also for a user of Terminal Services, whose
  // GetWindowsDirectory is a private folder.
  return InFolder(GetSystemWindowsDirectoryW, name);
}

std::wstring SystemFolderProgram(const wchar_t* name) {
  return InFolder(GetSystemDirectoryW, name);
}

}  // namespace ovalin::controls
