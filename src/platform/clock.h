// System time, time-zone conversion and the user's date and time formats.
#pragma once

#include <cstdint>
#include <string>

namespace ovalin::platform {

// SYSTEMTIME, field for field.
struct CalendarTime {
  int year = 1601;
  int month = 1;  // 1..12
  int dayOfWeek = 1;  // 0 = Sunday
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// 100-nanosecond units since 1601-01-01 UTC.
using FileTime = std::uint64_t;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual FileTime NowUtc() = 0;
  // Conversions with the current time-zone rules; false on failure.
  virtual bool UtcToLocal(FileTime utc, FileTime* local) = 0;
  virtual bool LocalToUtc(FileTime local, FileTime* utc) = 0;
  // The user's default short date and long time formats (GetDateFormatW/GetTimeFormatW).
  virtual std::u16string FormatDate(const CalendarTime& time) = 0;
  virtual std::u16string FormatTime(const CalendarTime& time) = 0;
};

// Pure calendar arithmetic (FileTimeToSystemTime / SystemTimeToFileTime), the same on
// every platform. Times outside 1601..30827 give false.
bool FileTimeToCalendar(FileTime time, CalendarTime* calendar);
bool CalendarToFileTime(const CalendarTime& calendar, FileTime* time);

}  // namespace ovalin::platform
