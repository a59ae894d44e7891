#include "engine/backup_format.h"

#include <cstring>
#include <limits>

namespace ovalin {

void PutU32(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
  at[2] = static_cast<std::uint8_t>(value >> 16);
  at[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t GetU32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

namespace {

constexpr std::uint64_t kMaxField = std::numeric_limits<std::uint32_t>::max();

// Text bytes of a name or path with its NUL.
std::uint64_t TextBytes(std::u16string_view text) { return 2 * (std::uint64_t{text.size()} + 1); }

void PutText(std::uint8_t* at, std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    at[2 * i] = static_cast<std::uint8_t>(text[i]);
    at[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
  }
  // The NUL is already there: the buffer starts zero-filled.
}

std::u16string GetText(const std::uint8_t* at, std::uint32_t bytes) {
  std::u16string text;
  for (std::uint32_t i = 0; i + 1 < bytes; i += 2) {
    const char16_t c = static_cast<char16_t>(at[i] | (at[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

// Reads fields of a record without ever stepping past its end.
class Cursor {
 public:
  Cursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Remaining() const { return size_ - position_; }
  bool U32(std::uint32_t* value) {
    if (Remaining() < 4) return false;
    *value = GetU32(data_ + position_);
    position_ += 4;
    return true;
  }
  bool Bytes(std::uint32_t count, const std::uint8_t** at) {
    if (Remaining() < count) return false;
    *at = data_ + position_;
    position_ += count;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

bool ValidTextBytes(std::uint32_t bytes) { return bytes >= 2 && bytes % 2 == 0; }

}  // namespace

bool LayOutRecord(std::u16string_view path, const std::vector<EntryLayout>& entries,
                  LaidOutRecord* record) {
  std::uint64_t total = kRecordFixedSize + TextBytes(path);
  for (const EntryLayout& entry : entries) {
    const std::uint64_t entrySize = kEntryFixedSize + TextBytes(entry.name) + entry.dataSize;
    if (entrySize > kMaxField) return false;
    total += entrySize;
    if (total > kMaxField) return false;
  }
  if (entries.size() > kMaxField) return false;

  record->bytes.assign(static_cast<std::size_t>(total), 0);
  record->dataOffsets.clear();
  std::uint8_t* out = record->bytes.data();
  PutU32(out, static_cast<std::uint32_t>(total));
  PutU32(out + 4, static_cast<std::uint32_t>(entries.size()));
  PutU32(out + 8, static_cast<std::uint32_t>(TextBytes(path)));
  PutText(out + kRecordFixedSize, path);
  std::size_t at = kRecordFixedSize + static_cast<std::size_t>(TextBytes(path));
  for (const EntryLayout& entry : entries) {
    const std::uint32_t nameBytes = static_cast<std::uint32_t>(TextBytes(entry.name));
    PutU32(out + at, kEntryFixedSize + nameBytes + entry.dataSize);
    PutU32(out + at + 4, nameBytes);
    PutU32(out + at + 8, entry.type);
    PutU32(out + at + 12, entry.dataSize);
    PutText(out + at + kEntryFixedSize, entry.name);
    at += kEntryFixedSize + nameBytes;
    record->dataOffsets.push_back(at);
    at += entry.dataSize;
  }
  return true;
}

bool ParseBackupRecord(const std::uint8_t* body, std::size_t size, BackupRecordView* record) {
  Cursor cursor(body, size);
  std::uint32_t valueCount = 0;
  std::uint32_t pathBytes = 0;
  const std::uint8_t* path = nullptr;
  if (!cursor.U32(&valueCount) || !cursor.U32(&pathBytes) || !ValidTextBytes(pathBytes) ||
      !cursor.Bytes(pathBytes, &path)) {
    return false;
  }
  BackupRecordView parsed;
  parsed.path = GetText(path, pathBytes);
  // Every entry takes at least its fixed fields, so a count larger than that can hold
  // is malformed; checked before anything is reserved.
  if (valueCount > cursor.Remaining() / kEntryFixedSize) return false;
  parsed.entries.reserve(valueCount);
  for (std::uint32_t i = 0; i < valueCount; ++i) {
    std::uint32_t entrySize = 0;
    std::uint32_t nameBytes = 0;
    BackupEntryView entry;
    const std::uint8_t* name = nullptr;
    if (!cursor.U32(&entrySize) || !cursor.U32(&nameBytes) || !cursor.U32(&entry.type) ||
        !cursor.U32(&entry.size) || !ValidTextBytes(nameBytes) ||
        !cursor.Bytes(nameBytes, &name) || !cursor.Bytes(entry.size, &entry.data)) {
      return false;
    }
    entry.name = GetText(name, nameBytes);
    if (entry.size == 0) entry.data = nullptr;
    parsed.entries.push_back(std::move(entry));
  }
  *record = std::move(parsed);
  return true;
}

}  // namespace ovalin
