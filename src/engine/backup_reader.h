// Reads a backup data file record by record. Every length is checked against the data
// length of the header and the record's own size before anything is read or allocated,
// so a damaged or hostile file can end the reading but never make it step outside.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/backup_format.h"
#include "platform/file_system.h"

namespace ovalin {

// Where the reader gets its bytes: an open file or a buffer in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads exactly size bytes at the current position; false on a short read.
  virtual bool ReadExact(void* buffer, std::uint32_t size) = 0;
};

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(platform::File& file) : file_(file) {}
  bool ReadExact(void* buffer, std::uint32_t size) override;

 private:
  platform::File& file_;
};

class MemoryByteSource : public ByteSource {
 public:
  MemoryByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool ReadExact(void* buffer, std::uint32_t size) override;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

class BackupReader {
 public:
  // source is positioned at offset 0 of a file of fileSize bytes.
  BackupReader(ByteSource& source, std::uint64_t fileSize);

  // Checks the magic and that the data length fits the file. False for a file that is
  // too short, has another magic or declares more data than it holds.
  bool ReadHeader();
  std::uint32_t DataLength() const { return dataLength_; }
  // Data length + 8: where the records end; bytes after it are ignored.
  std::uint64_t EndOfData() const { return std::uint64_t{dataLength_} + kBackupHeaderSize; }
  // Offset just after the last record read.
  std::uint64_t Consumed() const { return position_; }

  // The next record: true with the record (its data views stay valid until the next
  // call); false at the end of the data or on a malformed record (Failed() tells).
  bool Next(BackupRecordView* record);
  bool Failed() const { return failed_; }

 private:
  bool Fail() {
    failed_ = true;
    return false;
  }

  ByteSource& source_;
  std::uint64_t fileSize_;
  std::uint32_t dataLength_ = 0;
  std::uint64_t position_ = 0;
  bool failed_ = false;
  std::vector<std::uint8_t> body_;
};

}  // namespace ovalin
