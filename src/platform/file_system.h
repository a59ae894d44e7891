// File and folder services of the portable layers. Paths are always Windows paths
// ("C:\Windows\notepad.exe"); the substitute maps them onto host folders.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin::platform {

enum class PathKind { kMissing, kFile, kFolder };

// What a check of a path can prove. kAbsent only when the system says the file or the
// path was not found; every other failure (access denied, sharing violation, a device
// that is not ready, ...) is kCannotTell.
enum class PathState { kFile, kFolder, kAbsent, kCannotTell };

// What kind of volume a drive letter names now.
enum class DriveKind { kFixed, kRemovable, kRemote, kOptical, kRamDisk, kNoDrive, kUnknown };

// An open binary file (CreateFileW and friends). Closed when destroyed.
class File {
 public:
  virtual ~File() = default;
  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Reads up to size bytes at the current position; false on an I/O error.
  virtual bool Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) = 0;
  // Writes all size bytes at the current position; false unless all were written.
  virtual bool Write(const void* data, std::uint32_t size) = 0;
  virtual bool Seek(std::uint64_t position) = 0;
  virtual std::uint64_t Position() = 0;
  // Cuts or extends the file at the current position (SetEndOfFile).
  virtual bool Truncate() = 0;
  // Pushes written data to the disk (FlushFileBuffers).
  virtual bool Flush() = 0;
  virtual bool Size(std::uint64_t* size) = 0;
};

enum class FileOpenMode {
  kCreateAlways,   // read and write; an existing file is emptied
  kOpenRead,       // existing file, read only, shared for reading and writing
  kOpenReadWrite,  // existing file, read and write
};

struct FolderEntry {
  std::u16string name;
  bool isFolder = false;
  // FILE_ATTRIBUTE_HIDDEN or FILE_ATTRIBUTE_SYSTEM; on the substitute, a name that
  // starts with "." counts as hidden, as the host's own tools treat it.
  bool hidden = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // GetFileAttributesW: what the path names. A relative path is resolved against the
  // process's current folder. The text is used as it stands.
  virtual PathKind Probe(std::u16string_view path) = 0;
  // Like Probe, with "not there" told apart from "cannot tell".
  virtual PathState Examine(std::u16string_view path) = 0;
  // GetDriveTypeW of the root of the drive letter.
  virtual DriveKind DriveKindOf(char16_t letter) = 0;
  // Creates the folder and every missing parent; true when the folder exists afterwards.
  virtual bool CreateFolders(std::u16string_view path) = 0;
  // nullptr when the file cannot be opened or created.
  virtual std::unique_ptr<File> Open(std::u16string_view path, FileOpenMode mode) = 0;
  virtual bool DeleteFile(std::u16string_view path) = 0;
  // The entries of a folder (without "." and ".."); empty when it cannot be listed.
  virtual std::vector<FolderEntry> ListFolder(std::u16string_view path) = 0;
};

}  // namespace ovalin::platform
