// libFuzzer target for the backup data file reader: any bytes, read as a whole ".rss"
// file record by record. The reader must never read outside its buffer, must move
// forward with every record and stay inside the declared data, and every record it
// accepts must be one the writer can lay out again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/backup_format.h"
#include "engine/backup_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ovalin::MemoryByteSource source(data, size);
  ovalin::BackupReader reader(source, size);
  if (!reader.ReadHeader()) return 0;
  ovalin::BackupRecordView record;
  std::uint64_t previous = reader.Consumed();
  while (reader.Next(&record)) {
    if (reader.Consumed() <= previous || reader.Consumed() > reader.EndOfData()) std::abort();
    previous = reader.Consumed();
    std::uint32_t sum = 0;
    for (const auto& entry : record.entries) {
      for (std::uint32_t i = 0; i < entry.size; ++i) sum += entry.data[i];
    }
    std::vector<ovalin::EntryLayout> layout;
    for (const auto& entry : record.entries) layout.push_back({entry.name, entry.type, entry.size});
    ovalin::LaidOutRecord again;
    if (!ovalin::LayOutRecord(record.path, layout, &again)) std::abort();
    (void)sum;
  }
  return 0;
}
