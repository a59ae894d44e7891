// The backup data file (".rss"): "REGB", a 32-bit data length, then records back to back.
// A record is one registry key with none, one or all of its values:
//   record size, value count, path bytes, path + NUL, value entries
// and a value entry is
//   entry size, name bytes, raw type, data size, name + NUL, data.
// Integers are unsigned 32-bit little-endian, text UTF-16LE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin {

constexpr std::uint8_t kBackupMagic[4] = {'R', 'E', 'G', 'B'};
constexpr std::uint32_t kBackupHeaderSize = 8;
constexpr std::uint32_t kDataLengthOffset = 4;
constexpr std::uint32_t kRecordFixedSize = 12;
constexpr std::uint32_t kEntryFixedSize = 16;
// The smallest record a reader accepts: the fixed fields and a one-character path.
constexpr std::uint32_t kMinRecordSize = 16;

void PutU32(std::uint8_t* at, std::uint32_t value);
std::uint32_t GetU32(const std::uint8_t* at);

// One value of a record being written: the data bytes are filled in afterwards.
struct EntryLayout {
  std::u16string name;
  std::uint32_t type = 0;
  std::uint32_t dataSize = 0;
};

// A record laid out in one zero-filled buffer of its exact size, with the offset at
// which each entry's data goes.
struct LaidOutRecord {
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> dataOffsets;
};

// False when the record would not fit the 32-bit size fields.
bool LayOutRecord(std::u16string_view path, const std::vector<EntryLayout>& entries,
                  LaidOutRecord* record);

// A value entry as read back; data points into the record buffer it was parsed from.
struct BackupEntryView {
  std::u16string name;
  std::uint32_t type = 0;
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 0;
};

struct BackupRecordView {
  std::u16string path;
  std::vector<BackupEntryView> entries;
};

// Parses the bytes of one record after its size field. False, with nothing taken, when
// a field runs past the end of the record or a length is malformed (odd or zero text
// sizes). Text ends at its first NUL; the entry size field is not used.
bool ParseBackupRecord(const std::uint8_t* body, std::size_t size, BackupRecordView* record);

}  // namespace ovalin
