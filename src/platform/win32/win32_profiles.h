// INI files through the private-profile functions of kernel32. A file this class
// creates starts with a UTF-16 LE byte-order mark, which makes Windows keep it in
// UTF-16, so that any text survives (a file Windows creates itself is ANSI).
#pragma once

#include "platform/profile_files.h"

namespace ovalin::platform::win32 {

class Win32Profiles : public ProfileFiles {
 public:
  std::optional<std::u16string> ReadString(std::u16string_view file, std::u16string_view section,
                                           std::u16string_view key) override;
  // Refuses names and values holding a line break: they would turn into lines of
  // their own.
  bool WriteString(std::u16string_view file, std::u16string_view section,
                   std::u16string_view key, std::u16string_view value) override;
  bool DeleteKey(std::u16string_view file, std::u16string_view section,
                 std::u16string_view key) override;
  bool EraseSection(std::u16string_view file, std::u16string_view section) override;
  std::vector<std::u16string> SectionNames(std::u16string_view file) override;
  std::vector<std::u16string> KeyNames(std::u16string_view file,
                                       std::u16string_view section) override;
};

}  // namespace ovalin::platform::win32
