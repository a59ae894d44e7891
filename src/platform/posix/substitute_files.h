// The substitute file system: Windows paths mapped onto host folders, one host folder
// per drive letter, each path component matched without regard to case (an exact match
// preferred), as Windows matches names.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace ovalin::platform::posix {

class SubstituteFileSystem : public FileSystem {
 public:
  // drives: upper-case drive letter -> host folder. currentFolder: an absolute Windows
  // path that relative paths are resolved against.
  SubstituteFileSystem(std::map<char16_t, std::string> drives, std::u16string currentFolder);

  PathKind Probe(std::u16string_view path) override;
  bool CreateFolders(std::u16string_view path) override;
  std::unique_ptr<File> Open(std::u16string_view path, FileOpenMode mode) override;
  bool DeleteFile(std::u16string_view path) override;
  std::vector<FolderEntry> ListFolder(std::u16string_view path) override;

  // The host path a Windows path maps to; components that do not exist keep their
  // spelling. Empty when the path is not a local drive path or its drive is not mapped.
  std::string HostPath(std::u16string_view path) const;

 private:
  struct Resolved;
  bool Resolve(std::u16string_view path, Resolved* resolved) const;

  std::map<char16_t, std::string> drives_;
  std::u16string currentFolder_;
};

}  // namespace ovalin::platform::posix
