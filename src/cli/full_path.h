// Paths given on the command line made absolute, so that the backup folder and the data
// files named by the person compare with the paths the engine keeps.
#pragma once

#include <string>

namespace ovalin::cli {

// Windows: GetFullPathNameW (relative to the current folder, "/" becomes "\", "." and
// ".." resolved). Substitute: a path without a drive or server is taken relative to its
// current folder, C:\.
std::u16string FullPath(const std::u16string& path);

}  // namespace ovalin::cli
