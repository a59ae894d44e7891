// System time, the time zone and the user's date and time formats over kernel32.
#pragma once

#include "platform/clock.h"

namespace ovalin::platform::win32 {

class Win32Clock : public Clock {
 public:
  FileTime NowUtc() override;
  // With the time-zone rules in force at the given time (daylight saving included).
  bool UtcToLocal(FileTime utc, FileTime* local) override;
  bool LocalToUtc(FileTime local, FileTime* utc) override;
  std::u16string FormatDate(const CalendarTime& time) override;
  std::u16string FormatTime(const CalendarTime& time) override;
};

}  // namespace ovalin::platform::win32
