// Windows path normalisation as GetFullPathNameW does it, for the substitute: forward
// slashes count as backslashes, runs of separators collapse, "." and ".." are applied,
// and trailing dots and spaces are dropped from the last component.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ovalin::platform::posix {

struct WindowsPath {
  char16_t drive = u'C';  // upper case
  std::vector<std::u16string> components;
  // The text ended in a separator: it can only name a folder.
  bool trailingSeparator = false;
};

// Resolves path against currentFolder (an absolute drive path). False for an empty
// path, UNC and device paths ("\\server\share", "\\?\", "\\.\"), a path whose
// components hold characters Windows refuses in names, or an invalid current folder.
bool ParseWindowsPath(std::u16string_view path, std::u16string_view currentFolder,
                      WindowsPath* result);

}  // namespace ovalin::platform::posix
