// One backup set as listed in the backup index.
#pragma once

#include <cstdint>
#include <string>

namespace ovalin {

struct TRCRescueItem {
  std::u16string SectionName;
  std::uint32_t DetailCount = 0;
  bool IsRescued = false;
  std::u16string BackupFile;
  std::u16string Description;
  bool HasBeenDeleted = false;
};

}  // namespace ovalin
