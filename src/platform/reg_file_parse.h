// Pieces shared by the readers of the two ".reg" forms: the registry editor form
// ("REGEDIT4" and "Windows Registry Editor Version 5.00", reg_file_parser.cpp) and the
// Windows 3.1 form ("REGEDIT", reg_file_win31.cpp).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/reg_file.h"
#include "platform/reg_file_lines.h"

namespace ovalin::platform::regfile {

inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

inline std::u16string_view SkipBlanks(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// A key path as a file writes it ("HKEY_CURRENT_USER\Software\X"): the root spelt out in
// full (letter case is free; the short forms "HKCU" etc. are not read), trailing
// backslashes dropped as the registry drops them, no empty component inside. fullPath
// receives the root's standard spelling and the rest; problem says what is wrong.
bool ParseKeyPath(std::u16string_view path, std::u16string* fullPath, std::string* problem);

// Reads the lines after a "REGEDIT" header, "HKEY_CLASSES_ROOT\key = text" each, and
// appends what they write. False with problem set at the first line that is not of the
// form; lines.number() is that line.
bool ParseWin31Lines(RegFileLines& lines, std::vector<RegFileOperation>* operations,
                     std::string* problem);

}  // namespace ovalin::platform::regfile
