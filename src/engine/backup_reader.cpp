#include "engine/backup_reader.h"

#include <cstring>
#include <new>

namespace ovalin {

bool FileByteSource::ReadExact(void* buffer, std::uint32_t size) {
  std::uint32_t read = 0;
  return file_.Read(buffer, size, &read) && read == size;
}

bool MemoryByteSource::ReadExact(void* buffer, std::uint32_t size) {
  if (size_ - position_ < size) return false;
  if (size != 0) std::memcpy(buffer, data_ + position_, size);
  position_ += size;
  return true;
}

BackupReader::BackupReader(ByteSource& source, std::uint64_t fileSize)
    : source_(source), fileSize_(fileSize) {}

bool BackupReader::ReadHeader() {
  std::uint8_t header[kBackupHeaderSize];
  if (fileSize_ <= kBackupHeaderSize || !source_.ReadExact(header, sizeof header)) {
    return Fail();
  }
  if (std::memcmp(header, kBackupMagic, sizeof kBackupMagic) != 0) return Fail();
  dataLength_ = GetU32(header + kDataLengthOffset);
  if (dataLength_ > fileSize_ - kBackupHeaderSize) return Fail();
  position_ = kBackupHeaderSize;
  return true;
}

bool BackupReader::Next(BackupRecordView* record) {
  if (failed_ || position_ < kBackupHeaderSize || position_ >= EndOfData()) return false;
  std::uint8_t sizeField[4];
  if (!source_.ReadExact(sizeField, sizeof sizeField)) return Fail();
  const std::uint32_t recordSize = GetU32(sizeField);
  // A record must fit inside the data the header declares; checked before allocating.
  if (recordSize < kMinRecordSize || recordSize > EndOfData() - position_) return Fail();
  try {
    body_.resize(recordSize - 4);
  } catch (const std::bad_alloc&) {
    return Fail();
  }
  if (!source_.ReadExact(body_.data(), recordSize - 4)) return Fail();
  if (!ParseBackupRecord(body_.data(), body_.size(), record)) return Fail();
  position_ += recordSize;
  return true;
}

}  // namespace ovalin
