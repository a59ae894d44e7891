#include "platform/win32/win32_files.h"

#include "platform/win32/win32_text.h"

// <windows.h> spells DeleteFile as a macro; here it is the interface's method.
#undef DeleteFile

namespace ovalin::platform::win32 {
namespace {

class Win32File : public File {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}

  bool Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) override {
    DWORD read = 0;
    const BOOL ok = ::ReadFile(handle_.get(), buffer, size, &read, nullptr);
    if (bytesRead != nullptr) *bytesRead = read;
    return ok != FALSE;
  }

  bool Write(const void* data, std::uint32_t size) override {
    DWORD written = 0;
    return ::WriteFile(handle_.get(), data, size, &written, nullptr) && written == size;
  }

  bool Seek(std::uint64_t position) override {
    LARGE_INTEGER target;
    target.QuadPart = static_cast<LONGLONG>(position);
    if (target.QuadPart < 0) return false;
    return ::SetFilePointerEx(handle_.get(), target, nullptr, FILE_BEGIN) != FALSE;
  }

  std::uint64_t Position() override {
    LARGE_INTEGER zero{};
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(handle_.get(), zero, &position, FILE_CURRENT)) return 0;
    return static_cast<std::uint64_t>(position.QuadPart);
  }

  bool Truncate() override { return ::SetEndOfFile(handle_.get()) != FALSE; }

  bool Flush() override { return ::FlushFileBuffers(handle_.get()) != FALSE; }

  bool Size(std::uint64_t* size) override {
    LARGE_INTEGER result{};
    if (!::GetFileSizeEx(handle_.get(), &result)) return false;
    if (size != nullptr) *size = static_cast<std::uint64_t>(result.QuadPart);
    return true;
  }

 private:
  OwnedHandle handle_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

PathKind Win32FileSystem::Probe(std::u16string_view path) {
  if (path.empty()) return PathKind::kMissing;
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

PathState Win32FileSystem::Examine(std::u16string_view path) {
  if (path.empty()) return PathState::kAbsent;
  const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathState::kFolder : PathState::kFile;
  }
  switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    // A name that no file can have, or a path through a file: nothing can be there.
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return PathState::kAbsent;
    default:
      return PathState::kCannotTell;
  }
}

DriveKind Win32FileSystem::DriveKindOf(char16_t letter) {
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
  switch (::GetDriveTypeW(root)) {
    case DRIVE_FIXED: return DriveKind::kFixed;
    case DRIVE_REMOVABLE: return DriveKind::kRemovable;
    case DRIVE_REMOTE: return DriveKind::kRemote;
    case DRIVE_CDROM: return DriveKind::kOptical;
    case DRIVE_RAMDISK: return DriveKind::kRamDisk;
    case DRIVE_NO_ROOT_DIR: return DriveKind::kNoDrive;
    default: return DriveKind::kUnknown;
  }
}

bool Win32FileSystem::CreateFolders(std::u16string_view path) {
  std::u16string folder(path);
  while (folder.size() > 3 && IsSeparator(folder.back())) folder.pop_back();
  if (folder.empty()) return false;
  if (Probe(folder) == PathKind::kFolder) return true;
  // Create the parent first, then this folder; "C:" and "\\server\share" end the climb.
  const size_t cut = folder.find_last_of(u"\\/");
  if (cut != std::u16string::npos && cut > 0) {
    const std::u16string parent = folder.substr(0, cut + (cut == 2 ? 1 : 0));
    if (parent != folder && Probe(parent) != PathKind::kFolder && !CreateFolders(parent)) {
      return false;
    }
  }
  if (::CreateDirectoryW(Wide(folder).c_str(), nullptr)) return true;
  return Probe(folder) == PathKind::kFolder;
}

std::unique_ptr<File> Win32FileSystem::Open(std::u16string_view path, FileOpenMode mode) {
  DWORD access = GENERIC_READ | GENERIC_WRITE;
  DWORD disposition = OPEN_EXISTING;
  switch (mode) {
    case FileOpenMode::kCreateAlways:
      disposition = CREATE_ALWAYS;
      break;
    case FileOpenMode::kOpenRead:
      access = GENERIC_READ;
      break;
    case FileOpenMode::kOpenReadWrite:
      break;
  }
  const HANDLE handle =
      ::CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(handle);
}

bool Win32FileSystem::DeleteFile(std::u16string_view path) {
  return ::DeleteFileW(Wide(path).c_str()) != FALSE;
}

std::vector<FolderEntry> Win32FileSystem::ListFolder(std::u16string_view path) {
  std::u16string pattern(path);
  if (pattern.empty()) return {};
  if (!IsSeparator(pattern.back())) pattern += u'\\';
  pattern += u'*';
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW(Wide(pattern).c_str(), &data));
  std::vector<FolderEntry> entries;
  if (find.get() == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry;
    entry.name = FromWide(name);
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    entries.push_back(std::move(entry));
  } while (::FindNextFileW(find.get(), &data));
  return entries;
}

}  // namespace ovalin::platform::win32
