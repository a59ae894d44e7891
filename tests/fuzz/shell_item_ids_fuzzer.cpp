// libFuzzer target for the shell item ID list decoder: any bytes, read as an ID list and
// as a LastVisitedPidlMRU value. The decoder must never read outside its input, and
// every path it gives must be a drive path made of plain names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/shell_item_ids.h"

namespace {

// My Computer, then the volume "C:\": inputs whose first byte is odd are read after this
// prefix, so that the fuzzer spends its runs in the file-entry parser as well.
constexpr std::uint8_t kDrivePrefix[] = {
    0x14, 0x00, 0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8,
    0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D, 0x19, 0x00, 0x2F, 'C',  ':',  '\\', 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00};

void CheckPath(const std::optional<std::u16string>& path) {
  if (!path) return;
  const std::u16string& p = *path;
  if (p.size() < 3 || p[1] != u':' || p[2] != u'\\') std::abort();
  for (std::size_t i = 2; i < p.size(); ++i) {
    const char16_t c = p[i];
    const bool separator = c == u'\\';
    if (c < 0x20 || std::u16string_view(u"/:*?\"<>|").find(c) != std::u16string_view::npos) {
      std::abort();
    }
    // Components are never empty: no doubled separator, none at the end (but the root).
    if (separator && i > 2 && p[i - 1] == u'\\') std::abort();
    if (separator && i + 1 == p.size() && i != 2) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> input;
  if (size > 0 && (data[0] & 1) != 0) {
    input.assign(kDrivePrefix, kDrivePrefix + sizeof kDrivePrefix);
    input.insert(input.end(), data + 1, data + size);
  } else {
    input.assign(data, data + size);
  }
  // An exact-size heap copy, so that AddressSanitizer sees any read past its end.
  CheckPath(ovalin::FileSystemPathOfIdList(input.data(), input.size()));

  const ovalin::LastVisitedPidlEntry entry = ovalin::SplitLastVisitedPidlEntry(data, size);
  if (entry.idListOffset > size || entry.program.size() * 2 > size) std::abort();
  CheckPath(ovalin::FileSystemPathOfIdList(data + entry.idListOffset, size - entry.idListOffset));
  return 0;
}
