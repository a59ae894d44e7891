// The substitute file system: Windows paths mapped onto host folders, one host folder
// per drive letter, each path component matched without regard to case (an exact match
// preferred), as Windows matches names.
#pragma once

#include <map>
#include <memory>
#include <set>
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
  // Absent where Probe finds nothing, unless the path lies in a place marked with
  // MarkCannotTell.
  PathState Examine(std::u16string_view path) override;
  // Mapped drives are fixed and the others absent, unless SetDriveKind says otherwise.
  DriveKind DriveKindOf(char16_t letter) override;
  bool CreateFolders(std::u16string_view path) override;
  std::unique_ptr<File> Open(std::u16string_view path, FileOpenMode mode) override;
  bool DeleteFile(std::u16string_view path) override;
  std::vector<FolderEntry> ListFolder(std::u16string_view path) override;

  // The host path a Windows path maps to; components that do not exist keep their
  // spelling. Empty when the path is not a local drive path or its drive is not mapped.
  std::string HostPath(std::u16string_view path) const;

  // For tests: what the real system answers for drives that are not fixed and for
  // files it may not read.
  void SetDriveKind(char16_t letter, DriveKind kind);
  // Examine answers kCannotTell for the path and everything below it (ASCII letters
  // compared without regard to case), as for a file that access is denied to.
  void MarkCannotTell(std::u16string_view path);

 private:
  struct Resolved;
  bool Resolve(std::u16string_view path, Resolved* resolved) const;

  std::map<char16_t, std::string> drives_;
  std::u16string currentFolder_;
  std::map<char16_t, DriveKind> driveKinds_;
  std::set<std::u16string> cannotTell_;  // upper-cased, without a trailing backslash
};

}  // namespace ovalin::platform::posix
