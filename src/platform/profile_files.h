// INI ("profile") files: GetPrivateProfileStringW / WritePrivateProfileStringW rules.
// Section and key names are matched without regard to case; the first match wins;
// sections and keys that are not touched stay as written; a missing file reads as empty.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin::platform {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // The value of key in section, or nothing when the file, section or key is missing.
  virtual std::optional<std::u16string> ReadString(std::u16string_view file,
                                                   std::u16string_view section,
                                                   std::u16string_view key) = 0;
  // Writes key=value, creating the file and the section as needed.
  virtual bool WriteString(std::u16string_view file, std::u16string_view section,
                           std::u16string_view key, std::u16string_view value) = 0;
  virtual bool DeleteKey(std::u16string_view file, std::u16string_view section,
                         std::u16string_view key) = 0;
  virtual bool EraseSection(std::u16string_view file, std::u16string_view section) = 0;
  virtual std::vector<std::u16string> SectionNames(std::u16string_view file) = 0;
  virtual std::vector<std::u16string> KeyNames(std::u16string_view file,
                                               std::u16string_view section) = 0;
};

}  // namespace ovalin::platform
