// The substitute clock: the host's UTC time, a fixed local offset without daylight
// saving, and the en-US default formats: short date "M/d/yyyy" ("3/7/2010") and long
// time "h:mm:ss tt" ("2:05:09 PM").
#pragma once

#include "platform/clock.h"

namespace ovalin::platform::posix {

class SubstituteClock : public Clock {
 public:
  explicit SubstituteClock(int utcOffsetMinutes);

  FileTime NowUtc() override;
  bool UtcToLocal(FileTime utc, FileTime* local) override;
  bool LocalToUtc(FileTime local, FileTime* utc) override;
  std::u16string FormatDate(const CalendarTime& time) override;
  std::u16string FormatTime(const CalendarTime& time) override;

 private:
  bool Shift(FileTime time, long long minutes, FileTime* result) const;

  int utcOffsetMinutes_;
};

}  // namespace ovalin::platform::posix
