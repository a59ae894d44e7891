#include "platform/posix/substitute_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/host_text.h"
#include "platform/posix/posix_file.h"
#include "platform/posix/windows_path.h"

namespace ovalin::platform::posix {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

std::string JoinHost(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// The entry of hostFolder that a Windows name means: the exact spelling when it exists,
// otherwise the first entry equal without regard to case. Empty when there is none.
std::string FindEntry(const std::string& hostFolder, const std::u16string& name) {
  const std::string exact = HostText(name);
  struct stat info;
  if (::lstat(JoinHost(hostFolder, exact).c_str(), &info) == 0) return exact;
  DirHandle dir(::opendir(hostFolder.c_str()));
  if (!dir) return {};
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string hostName = entry->d_name;
    if (hostName == "." || hostName == "..") continue;
    if (SameTextIgnoringCase(DecodeHostText(hostName), name)) return hostName;
  }
  return {};
}

bool IsFolder(const std::string& hostPath) {
  struct stat info;
  return ::stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string& hostPath) {
  struct stat info;
  return ::stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

struct SubstituteFileSystem::Resolved {
  std::string hostPath;
  // The drive's host folder and the host path of each component, in order.
  std::vector<std::string> steps;
  // How many leading components exist on the host.
  size_t existing = 0;
  size_t componentCount = 0;
  bool trailingSeparator = false;

  bool Exists() const { return existing == componentCount; }
};

SubstituteFileSystem::SubstituteFileSystem(std::map<char16_t, std::string> drives,
                                           std::u16string currentFolder)
    : drives_(std::move(drives)), currentFolder_(std::move(currentFolder)) {}

bool SubstituteFileSystem::Resolve(std::u16string_view path, Resolved* resolved) const {
  WindowsPath parsed;
  if (!ParseWindowsPath(path, currentFolder_, &parsed)) return false;
  const auto drive = drives_.find(parsed.drive);
  if (drive == drives_.end() || drive->second.empty()) return false;

  Resolved result;
  result.componentCount = parsed.components.size();
  result.trailingSeparator = parsed.trailingSeparator;

  // Most paths are spelt as they are stored: one stat settles them, without a directory
  // listing per component.
  std::string exact = drive->second;
  result.steps.push_back(exact);
  for (const std::u16string& component : parsed.components) {
    exact = JoinHost(exact, HostText(component));
    result.steps.push_back(exact);
  }
  struct stat exactInfo;
  if (::stat(exact.c_str(), &exactInfo) == 0) {
    result.existing = result.componentCount;
    result.hostPath = exact;
    *resolved = std::move(result);
    return true;
  }
  result.steps.resize(1);

  std::string current = drive->second;
  bool missing = !IsFolder(current);
  for (const std::u16string& component : parsed.components) {
    std::string hostName;
    if (!missing) hostName = FindEntry(current, component);
    if (hostName.empty()) {
      missing = true;
      hostName = HostText(component);
    } else {
      ++result.existing;
    }
    current = JoinHost(current, hostName);
    result.steps.push_back(current);
  }
  result.hostPath = current;
  *resolved = std::move(result);
  return true;
}

std::string SubstituteFileSystem::HostPath(std::u16string_view path) const {
  Resolved resolved;
  return Resolve(path, &resolved) ? resolved.hostPath : std::string();
}

PathKind SubstituteFileSystem::Probe(std::u16string_view path) {
  Resolved resolved;
  if (!Resolve(path, &resolved) || !resolved.Exists()) return PathKind::kMissing;
  struct stat info;
  if (::stat(resolved.hostPath.c_str(), &info) != 0) return PathKind::kMissing;
  if (S_ISDIR(info.st_mode)) return PathKind::kFolder;
  // "C:\a.txt\" names a folder, and a.txt is none.
  return resolved.trailingSeparator ? PathKind::kMissing : PathKind::kFile;
}

namespace {

std::u16string FoldAscii(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c == u'/') c = u'\\';
  }
  while (!folded.empty() && folded.back() == u'\\') folded.pop_back();
  return folded;
}

char16_t UpperLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

PathState SubstituteFileSystem::Examine(std::u16string_view path) {
  if (!cannotTell_.empty()) {
    const std::u16string folded = FoldAscii(path);
    for (const std::u16string& marked : cannotTell_) {
      if (folded.compare(0, marked.size(), marked) == 0 &&
          (folded.size() == marked.size() || folded[marked.size()] == u'\\')) {
        return PathState::kCannotTell;
      }
    }
  }
  switch (Probe(path)) {
    case PathKind::kFile: return PathState::kFile;
    case PathKind::kFolder: return PathState::kFolder;
    case PathKind::kMissing: break;
  }
  return PathState::kAbsent;
}

DriveKind SubstituteFileSystem::DriveKindOf(char16_t letter) {
  const char16_t upper = UpperLetter(letter);
  const auto kind = driveKinds_.find(upper);
  if (kind != driveKinds_.end()) return kind->second;
  const auto drive = drives_.find(upper);
  return drive != drives_.end() && !drive->second.empty() ? DriveKind::kFixed
                                                          : DriveKind::kNoDrive;
}

void SubstituteFileSystem::SetDriveKind(char16_t letter, DriveKind kind) {
  driveKinds_[UpperLetter(letter)] = kind;
}

void SubstituteFileSystem::MarkCannotTell(std::u16string_view path) {
  cannotTell_.insert(FoldAscii(path));
}

bool SubstituteFileSystem::CreateFolders(std::u16string_view path) {
  Resolved resolved;
  if (!Resolve(path, &resolved)) return false;
  if (!IsFolder(resolved.steps.front())) return false;
  for (size_t i = 1; i < resolved.steps.size(); ++i) {
    const std::string& step = resolved.steps[i];
    if (IsFolder(step)) continue;
    if (::mkdir(step.c_str(), 0755) != 0 && !(errno == EEXIST && IsFolder(step))) return false;
  }
  return true;
}

std::unique_ptr<File> SubstituteFileSystem::Open(std::u16string_view path, FileOpenMode mode) {
  Resolved resolved;
  if (!Resolve(path, &resolved) || resolved.trailingSeparator || resolved.componentCount == 0) {
    return nullptr;
  }
  int flags = O_CLOEXEC;
  bool writable = true;
  switch (mode) {
    case FileOpenMode::kCreateAlways:
      // The folder must exist; the file itself may not.
      if (resolved.existing + 1 < resolved.componentCount) return nullptr;
      if (IsFolder(resolved.hostPath)) return nullptr;
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
    case FileOpenMode::kOpenRead:
      flags |= O_RDONLY;
      writable = false;
      break;
    case FileOpenMode::kOpenReadWrite:
      flags |= O_RDWR;
      break;
  }
  if (mode != FileOpenMode::kCreateAlways &&
      (!resolved.Exists() || !IsRegularFile(resolved.hostPath))) {
    return nullptr;
  }
  const int fd = ::open(resolved.hostPath.c_str(), flags, 0644);
  if (fd < 0) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixFile>(fd, writable);
}

bool SubstituteFileSystem::DeleteFile(std::u16string_view path) {
  Resolved resolved;
  if (!Resolve(path, &resolved) || !resolved.Exists() || resolved.trailingSeparator) return false;
  if (!IsRegularFile(resolved.hostPath)) return false;
  return ::unlink(resolved.hostPath.c_str()) == 0;
}

std::vector<FolderEntry> SubstituteFileSystem::ListFolder(std::u16string_view path) {
  Resolved resolved;
  if (!Resolve(path, &resolved) || !resolved.Exists()) return {};
  DirHandle dir(::opendir(resolved.hostPath.c_str()));
  if (!dir) return {};
  std::vector<FolderEntry> entries;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string hostName = entry->d_name;
    if (hostName == "." || hostName == "..") continue;
    FolderEntry folderEntry;
    folderEntry.name = DecodeHostText(hostName);
    folderEntry.isFolder = IsFolder(JoinHost(resolved.hostPath, hostName));
    folderEntry.hidden = hostName.front() == '.';
    entries.push_back(std::move(folderEntry));
  }
  // The host gives no useful order; sort by name as NTFS lists them.
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    const size_t n = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < n; ++i) {
      const char16_t x = FoldCase(a.name[i]);
      const char16_t y = FoldCase(b.name[i]);
      if (x != y) return x < y;
    }
    return a.name.size() < b.name.size();
  });
  return entries;
}

}  // namespace ovalin::platform::posix
