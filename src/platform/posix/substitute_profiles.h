// INI files of the substitute, read and written through the substitute file system
// with the rules of IniDocument.
#pragma once

#include <optional>

#include "platform/file_system.h"
#include "platform/posix/ini_document.h"
#include "platform/profile_files.h"

namespace ovalin::platform::posix {

class SubstituteProfiles : public ProfileFiles {
 public:
  explicit SubstituteProfiles(FileSystem& files);

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

 private:
  // The parsed file; nothing when it does not exist or cannot be read.
  std::optional<IniDocument> Load(std::u16string_view file);
  bool Save(std::u16string_view file, const IniDocument& document);

  FileSystem& files_;
};

}  // namespace ovalin::platform::posix
