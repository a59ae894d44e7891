#include "platform/posix/posix_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>

namespace ovalin::platform::posix {

PosixFile::PosixFile(int fd, bool writable) : fd_(fd), writable_(writable) {}

PosixFile::~PosixFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool PosixFile::Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
  std::uint32_t done = 0;
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (done < size) {
    const ssize_t n = ::read(fd_, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (bytesRead != nullptr) *bytesRead = done;
      return false;
    }
    if (n == 0) break;
    done += static_cast<std::uint32_t>(n);
  }
  if (bytesRead != nullptr) *bytesRead = done;
  return true;
}

bool PosixFile::Write(const void* data, std::uint32_t size) {
  std::uint32_t done = 0;
  const auto* bytes = static_cast<const unsigned char*>(data);
  while (done < size) {
    const ssize_t n = ::write(fd_, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::uint32_t>(n);
  }
  return true;
}

bool PosixFile::Seek(std::uint64_t position) {
  if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
  return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) >= 0;
}

std::uint64_t PosixFile::Position() {
  const off_t position = ::lseek(fd_, 0, SEEK_CUR);
  return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

bool PosixFile::Truncate() {
  const off_t position = ::lseek(fd_, 0, SEEK_CUR);
  return position >= 0 && ::ftruncate(fd_, position) == 0;
}

bool PosixFile::Flush() {
  // FlushFileBuffers needs write access, so a file opened for reading refuses it.
  return writable_ && ::fsync(fd_) == 0;
}

bool PosixFile::Size(std::uint64_t* size) {
  struct stat info;
  if (::fstat(fd_, &info) != 0) return false;
  if (size != nullptr) *size = static_cast<std::uint64_t>(info.st_size);
  return true;
}

}  // namespace ovalin::platform::posix
