// Files named on the command line by a path of the machine ovalin-rc runs on (UTF-8;
// on Windows opened through the wide API, so that any name works).
#pragma once

#include <string>

namespace ovalin::cli {

bool ReadHostFile(const std::string& path, std::string* bytes);
// Replaces the file with the bytes; false unless all were written and the file closed.
bool WriteHostFile(const std::string& path, const std::string& bytes);

}  // namespace ovalin::cli
