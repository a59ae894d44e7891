// Gregorian calendar arithmetic on FILETIME values (100-nanosecond units since
// 1601-01-01 00:00 UTC), matching FileTimeToSystemTime and SystemTimeToFileTime.
#include <cstdint>

#include "platform/clock.h"

namespace ovalin::platform {
namespace {

constexpr std::uint64_t kTicksPerMillisecond = 10000;
constexpr std::uint64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr std::uint64_t kTicksPerDay = 86400 * kTicksPerSecond;
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
// 1601-01-01 was a Monday.
constexpr int kFirstDayOfWeek = 1;
constexpr std::int64_t kDaysPer400Years = 146097;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1601-01-01 to the first day of year.
std::int64_t DaysBeforeYear(int year) {
  const std::int64_t y = year - kFirstYear;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

}  // namespace

bool FileTimeToCalendar(FileTime time, CalendarTime* calendar) {
  if (calendar == nullptr) return false;
  std::int64_t days = static_cast<std::int64_t>(time / kTicksPerDay);
  std::uint64_t rest = time % kTicksPerDay;

  // Whole 400-year cycles first, then years one by one (at most 400 steps).
  int year = kFirstYear + static_cast<int>(days / kDaysPer400Years) * 400;
  std::int64_t dayInCycle = days % kDaysPer400Years;
  while (true) {
    const int length = IsLeapYear(year) ? 366 : 365;
    if (dayInCycle < length) break;
    dayInCycle -= length;
    ++year;
  }
  if (year > kLastYear) return false;

  int month = 1;
  int dayInYear = static_cast<int>(dayInCycle);
  while (dayInYear >= DaysInMonth(year, month)) {
    dayInYear -= DaysInMonth(year, month);
    ++month;
  }

  CalendarTime result;
  result.year = year;
  result.month = month;
  result.day = dayInYear + 1;
  result.dayOfWeek = static_cast<int>((days + kFirstDayOfWeek) % 7);
  result.hour = static_cast<int>(rest / (3600 * kTicksPerSecond));
  rest %= 3600 * kTicksPerSecond;
  result.minute = static_cast<int>(rest / (60 * kTicksPerSecond));
  rest %= 60 * kTicksPerSecond;
  result.second = static_cast<int>(rest / kTicksPerSecond);
  rest %= kTicksPerSecond;
  result.milliseconds = static_cast<int>(rest / kTicksPerMillisecond);
  *calendar = result;
  return true;
}

bool CalendarToFileTime(const CalendarTime& c, FileTime* time) {
  if (time == nullptr) return false;
  if (c.year < kFirstYear || c.year > kLastYear || c.month < 1 || c.month > 12) return false;
  if (c.day < 1 || c.day > DaysInMonth(c.year, c.month)) return false;
  if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 ||
      c.second > 59 || c.milliseconds < 0 || c.milliseconds > 999) {
    return false;
  }
  std::int64_t days = DaysBeforeYear(c.year);
  for (int month = 1; month < c.month; ++month) days += DaysInMonth(c.year, month);
  days += c.day - 1;
  const std::uint64_t seconds =
      static_cast<std::uint64_t>(days) * 86400 + c.hour * 3600 + c.minute * 60 + c.second;
  *time = seconds * kTicksPerSecond + static_cast<std::uint64_t>(c.milliseconds) * kTicksPerMillisecond;
  return true;
}

}  // namespace ovalin::platform
