#include "engine/backup_writers.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/backup_format.h"
#include "engine/reg_access.h"
#include "engine/text_utils.h"

namespace ovalin {

namespace {

// Opens the key of a full registry path without creating it.
bool OpenExisting(RegAccess& access, std::u16string_view path) {
  const SplitPath split = SplitRegPath(path);
  if (split.root == 0) return false;
  access.SetRootKey(split.root);
  return access.OpenKey(split.subKey, false);
}

bool WriteRecord(platform::File& file, const LaidOutRecord& record) {
  return file.Write(record.bytes.data(), static_cast<std::uint32_t>(record.bytes.size()));
}

// Lays out a record for the given values of the open key, whose types and sizes are
// known, and reads their data into it. Data that cannot be read (the value changed
// meanwhile) stays zero bytes.
bool WriteEntriesRecord(platform::File& file, platform::Registry& registry, RegKey key,
                        std::u16string_view path, const std::vector<EntryLayout>& entries) {
  LaidOutRecord record;
  if (!LayOutRecord(path, entries, &record)) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].dataSize == 0) continue;
    std::uint32_t type = 0;
    std::uint32_t read = 0;
    ReadValueData(registry, key, entries[i].name, record.bytes.data() + record.dataOffsets[i],
                  entries[i].dataSize, &type, &read);
  }
  return WriteRecord(file, record);
}

// The record of the named values of the open key, each with its current type and size.
bool WriteValuesRecord(platform::File& file, RegAccess& access, std::u16string_view path,
                       const std::vector<std::u16string>& names) {
  platform::Registry& registry = access.Backend();
  const RegKey key = access.CurrentKey();
  std::vector<EntryLayout> entries;
  entries.reserve(names.size());
  for (const std::u16string& name : names) {
    EntryLayout entry;
    entry.name = name;
    ReadValueInfo(registry, key, name, &entry.type, &entry.dataSize);
    entries.push_back(std::move(entry));
  }
  return WriteEntriesRecord(file, registry, key, path, entries);
}

bool WriteKeyRecord(platform::File& file, std::u16string_view path) {
  LaidOutRecord record;
  return LayOutRecord(path, {}, &record) && WriteRecord(file, record);
}

bool SetDataLength(platform::File& file, std::uint64_t dataLength) {
  std::uint8_t field[4];
  PutU32(field, static_cast<std::uint32_t>(dataLength));
  return file.Seek(kDataLengthOffset) && file.Write(field, sizeof field);
}

}  // namespace

bool BackupValue(platform::Registry& registry, const TRCScannedItem& finding,
                 platform::File& file) {
  RegAccess access(registry);
  if (!OpenExisting(access, finding.Path)) return false;
  // One query tells whether the value exists and gives its type and size.
  EntryLayout entry;
  entry.name = finding.ValueName;
  if (registry.QueryValue(access.CurrentKey(), entry.name, &entry.type, nullptr,
                          &entry.dataSize) != platform::kRegOk) {
    return WriteKeyRecord(file, finding.Path);
  }
  return WriteEntriesRecord(file, registry, access.CurrentKey(), finding.Path, {entry});
}

bool BackupKeyTree(platform::Registry& registry, std::u16string_view path, platform::File& file) {
  RegAccess access(registry);
  if (!OpenExisting(access, path)) return false;
  if (!WriteValuesRecord(file, access, path, access.GetValueNames())) return false;
  const std::u16string prefix = PathAddBackslash(path);
  for (const std::u16string& name : access.GetKeyNames()) {
    if (!BackupKeyTree(registry, prefix + name, file)) return false;
  }
  return true;
}

bool BackupKeyMarker(platform::Registry& registry, const TRCScannedItem& finding,
                     platform::File& file) {
  RegAccess access(registry);
  if (!OpenExisting(access, finding.Path)) return false;
  return WriteKeyRecord(file, finding.Path);
}

bool WriteBackupHeader(platform::File& file) {
  std::uint8_t header[kBackupHeaderSize] = {};
  for (int i = 0; i < 4; ++i) header[i] = kBackupMagic[i];
  return file.Write(header, 4) && file.Write(header + 4, 4);
}

bool BackupFinding(platform::Registry& registry, const TRCScannedItem& finding,
                   platform::File& file) {
  const std::uint64_t start = file.Position();
  bool written = false;
  switch (MarkTypeOf(finding.ScannedCode)) {
    case 0x100:
    case mtDeleteValue:
    case mtBlankValue:
      written = BackupValue(registry, finding, file);
      break;
    case mtDeleteKeyTree:
    case 0x400:
      written = BackupKeyTree(registry, finding.Path, file);
      break;
    case mtDeleteEmptyKey:
      written = BackupKeyMarker(registry, finding, file);
      break;
    default:
      return false;
  }
  if (!written) {
    FileTruncateAt(&file, start);
    file.Seek(start);
  }
  return written;
}

bool CommitRecords(platform::File& file, std::uint64_t committed) {
  const std::uint64_t end = file.Position();
  if (end - kBackupHeaderSize <= std::numeric_limits<std::uint32_t>::max() &&
      SetDataLength(file, end - kBackupHeaderSize) && file.Flush() && file.Seek(end)) {
    return true;
  }
  // Back to the state after the previous commit, header included (it may already have
  // been rewritten when the flush failed).
  CutBackRecords(file, committed);
  return false;
}

bool CutBackRecords(platform::File& file, std::uint64_t position) {
  FileTruncateAt(&file, position);
  const bool cut = SetDataLength(file, position - kBackupHeaderSize) && file.Flush();
  return file.Seek(position) && cut;
}

}  // namespace ovalin
