// Files and folders over kernel32.
#pragma once

#include "platform/file_system.h"

namespace ovalin::platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  PathKind Probe(std::u16string_view path) override;
  PathState Examine(std::u16string_view path) override;
  DriveKind DriveKindOf(char16_t letter) override;
  bool CreateFolders(std::u16string_view path) override;
  std::unique_ptr<File> Open(std::u16string_view path, FileOpenMode mode) override;
  bool DeleteFile(std::u16string_view path) override;
  std::vector<FolderEntry> ListFolder(std::u16string_view path) override;
};

}  // namespace ovalin::platform::win32
