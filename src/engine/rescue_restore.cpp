#include "engine/rescue_restore.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <memory>

#include "engine/backup_reader.h"
#include "engine/reg_access.h"
#include "engine/rescue_names.h"
#include "engine/text_utils.h"

namespace ovalin {

namespace {

int RestorePercent(std::uint64_t consumed, std::uint64_t total) {
  return static_cast<int>(std::min<std::uint64_t>(100 * consumed / total, 99));
}

void Report(TRCRegCleaner& cleaner, const std::u16string& path, const std::u16string& name,
            std::uint32_t size, std::uint32_t type, const std::uint8_t* data, int percent) {
  if (!cleaner.OnRestoring) return;
  cleaner.OnRestoring(cleaner, RestoringEventArgs{path, name, size, type,
                                                  size == 0 ? nullptr : data, percent});
}

enum class RecordResult { kRestored, kKeyUnavailable, kValueFailed };

RecordResult RestoreRecord(TRCRegCleaner& cleaner, const BackupRecordView& record, int percent) {
  const SplitPath split = SplitRegPath(record.path);
  if (split.root == 0) return RecordResult::kKeyUnavailable;
  RegAccess access(cleaner.Platform().registry);
  access.SetRootKey(split.root);
  if (!access.OpenKey(split.subKey, true)) return RecordResult::kKeyUnavailable;
  if (record.entries.empty()) {
    Report(cleaner, record.path, {}, 0, 0, nullptr, percent);
    return RecordResult::kRestored;
  }
  for (const BackupEntryView& entry : record.entries) {
    // Zero-length values are written too: an empty value is a value.
    if (!WriteValueExactly(access.Backend(), access.CurrentKey(), entry.name, entry.type,
                           entry.data, entry.size)) {
      return RecordResult::kValueFailed;
    }
    Report(cleaner, record.path, entry.name, entry.size, entry.type, entry.data, percent);
  }
  return RecordResult::kRestored;
}

void MarkRestored(TRCRegCleaner& cleaner, const std::u16string& fileName) {
  for (int i = 0; i < cleaner.RescueCount(); ++i) {
    TRCRescueItem* item = cleaner.RescueItems(i);
    if (SameWindowsPath(cleaner.RescueDir() + item->BackupFile, fileName)) {
      item->IsRescued = true;
      cleaner.Platform().profiles.WriteString(cleaner.RescueListFile(), item->SectionName,
                                              u"IsRescued", u"True");
      return;
    }
  }
}

}  // namespace

bool WriteValueExactly(platform::Registry& registry, platform::RegKey key,
                       std::u16string_view name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t size) {
  std::vector<std::uint8_t> padded(std::size_t{size} + 2, 0xFF);
  if (size != 0) std::memcpy(padded.data(), data, size);
  return WriteValueData(registry, key, name, type, padded.data(), size);
}

bool RestoreBackupFile(TRCRegCleaner& cleaner, const std::u16string& fileName) {
  platform::FileSystem& files = cleaner.Platform().files;
  if (fileName.empty() || files.Probe(fileName) != platform::PathKind::kFile) return false;
  std::unique_ptr<platform::File> file = files.Open(fileName, platform::FileOpenMode::kOpenRead);
  std::uint64_t fileSize = 0;
  if (!file || !file->Size(&fileSize) || fileSize <= kBackupHeaderSize) return false;

  const std::u16string none;
  Report(cleaner, none, none, 0, 0, nullptr, 0);
  FileByteSource source(*file);
  BackupReader reader(source, fileSize);
  if (!reader.ReadHeader()) return false;

  bool everythingBack = true;
  BackupRecordView record;
  while (reader.Next(&record)) {
    const int percent = RestorePercent(reader.Consumed(), reader.EndOfData());
    switch (RestoreRecord(cleaner, record, percent)) {
      case RecordResult::kRestored:
        break;
      case RecordResult::kKeyUnavailable:
        everythingBack = false;
        break;
      case RecordResult::kValueFailed:
        return false;
    }
  }
  if (reader.Failed()) return false;

  Report(cleaner, none, none, 0, 0, nullptr, 100);
  if (!everythingBack) return false;
  MarkRestored(cleaner, fileName);
  return true;
}

bool TRCRegCleaner::RestoreRescue(const std::u16string& backupFile) {
  if (Status() != kStatusIdle) return false;
  SetStatus(kStatusRestoring);
  if (OnBeginRestore) OnBeginRestore(*this);
  bool restored = false;
  try {
    restored = RestoreBackupFile(*this, backupFile);
  } catch (...) {
    restored = false;
  }
  SetStatus(kStatusIdle);
  if (OnEndRestore) OnEndRestore(*this);
  return restored;
}

}  // namespace ovalin
