// An open host file behind the File interface.
#pragma once

#include "platform/file_system.h"

namespace ovalin::platform::posix {

class PosixFile : public File {
 public:
  // Takes ownership of fd; writable tells whether it was opened for writing.
  PosixFile(int fd, bool writable);
  ~PosixFile() override;

  bool Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) override;
  bool Write(const void* data, std::uint32_t size) override;
  bool Seek(std::uint64_t position) override;
  std::uint64_t Position() override;
  bool Truncate() override;
  bool Flush() override;
  bool Size(std::uint64_t* size) override;

 private:
  int fd_;
  bool writable_;
};

}  // namespace ovalin::platform::posix
