// One INI file opened through the platform's profile functions: the file name bound to
// the profile service, so that loaders and savers can be handed "the open file".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_files.h"

namespace ovalin {

class IniFile {
 public:
  IniFile(platform::ProfileFiles& profiles, std::u16string fileName)
      : profiles_(profiles), fileName_(std::move(fileName)) {}

  const std::u16string& FileName() const { return fileName_; }

  // The value, or nothing when the section or key is missing.
  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) {
    return profiles_.ReadString(fileName_, section, key);
  }
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue) {
    auto value = Read(section, key);
    return value ? std::move(*value) : std::u16string(defaultValue);
  }
  bool WriteString(std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) {
    return profiles_.WriteString(fileName_, section, key, value);
  }
  std::vector<std::u16string> KeyNames(std::u16string_view section) {
    return profiles_.KeyNames(fileName_, section);
  }

 private:
  platform::ProfileFiles& profiles_;
  std::u16string fileName_;
};

}  // namespace ovalin
