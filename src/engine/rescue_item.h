// One backup set as listed in the backup index.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace ovalin {

struct TRCRescueItem {
  std::u16string SectionName;
  std::uint32_t DetailCount = 0;
  bool IsRescued = false;
  std::u16string BackupFile;
  std::u16string Description;
  bool HasBeenDeleted = false;

  // The set's local time, parsed from SectionName ("2010-03-07 14:05:09"); 0 when the
  // name is empty or not such a date and time.
  platform::FileTime DateTime() const;
  // Formats a local time into SectionName.
  void SetDateTime(platform::FileTime local);
};

}  // namespace ovalin
