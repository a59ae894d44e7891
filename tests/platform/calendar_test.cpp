// Calendar arithmetic (FILETIME <-> SYSTEMTIME fields) and the platform clock.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "support/test_platform.h"

namespace ovalin::platform {
namespace {

struct CalendarCase {
  FileTime time;
  CalendarTime calendar;  // year, month, dayOfWeek, day, hour, minute, second, ms
};

const CalendarCase kCalendarCases[] = {
    {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
    {314496000000000ull, {1601, 12, 1, 31, 0, 0, 0, 0}},
    {94405824000000000ull, {1900, 3, 4, 1, 0, 0, 0, 0}},      // 1900 has no 29 February
    {125962992000000000ull, {2000, 2, 2, 29, 12, 0, 0, 0}},   // 2000 has one
    {127490111999990000ull, {2004, 12, 5, 31, 23, 59, 59, 999}},
    {129124443090000000ull, {2010, 3, 0, 7, 14, 5, 9, 0}},
    {2650467743999990000ull, {9999, 12, 5, 31, 23, 59, 59, 999}},
    {9223149887999990000ull, {30827, 12, 5, 31, 23, 59, 59, 999}},
};

TEST(Calendar, ConvertsBothWays) {
  for (const CalendarCase& c : kCalendarCases) {
    SCOPED_TRACE(c.time);
    CalendarTime calendar;
    ASSERT_TRUE(FileTimeToCalendar(c.time, &calendar));
    EXPECT_EQ(calendar.year, c.calendar.year);
    EXPECT_EQ(calendar.month, c.calendar.month);
    EXPECT_EQ(calendar.day, c.calendar.day);
    EXPECT_EQ(calendar.dayOfWeek, c.calendar.dayOfWeek);
    EXPECT_EQ(calendar.hour, c.calendar.hour);
    EXPECT_EQ(calendar.minute, c.calendar.minute);
    EXPECT_EQ(calendar.second, c.calendar.second);
    EXPECT_EQ(calendar.milliseconds, c.calendar.milliseconds);

    FileTime time = 1;
    ASSERT_TRUE(CalendarToFileTime(c.calendar, &time));
    EXPECT_EQ(time, c.time);
  }
}

TEST(Calendar, SubMillisecondTicksAreDropped) {
  CalendarTime calendar;
  ASSERT_TRUE(FileTimeToCalendar(129124443090000000ull + 9999, &calendar));
  EXPECT_EQ(calendar.second, 9);
  EXPECT_EQ(calendar.milliseconds, 0);
}

TEST(Calendar, RefusesTimesOutsideTheRange) {
  CalendarTime calendar;
  EXPECT_FALSE(FileTimeToCalendar(9223149888000000000ull, &calendar));  // 30828-01-01
  EXPECT_FALSE(FileTimeToCalendar(~FileTime{0}, &calendar));

  const CalendarTime invalid[] = {
      {1600, 12, 0, 31, 0, 0, 0, 0}, {30828, 1, 0, 1, 0, 0, 0, 0}, {2010, 0, 0, 1, 0, 0, 0, 0},
      {2010, 13, 0, 1, 0, 0, 0, 0},  {1900, 2, 0, 29, 0, 0, 0, 0},  {2010, 4, 0, 31, 0, 0, 0, 0},
      {2010, 1, 0, 0, 0, 0, 0, 0},   {2010, 1, 0, 1, 24, 0, 0, 0},  {2010, 1, 0, 1, 0, 60, 0, 0},
      {2010, 1, 0, 1, 0, 0, 60, 0},  {2010, 1, 0, 1, 0, 0, 0, 1000}, {2010, 1, 0, 1, -1, 0, 0, 0},
  };
  for (const CalendarTime& c : invalid) {
    FileTime time = 0;
    EXPECT_FALSE(CalendarToFileTime(c, &time))
        << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute << ":"
        << c.second << "." << c.milliseconds;
  }
}

TEST(Clock, NowIsTodayAndLocalTimeConvertsBack) {
  testing::TestPlatform test;
  Clock& clock = test.Get().clock;
  CalendarTime now;
  ASSERT_TRUE(FileTimeToCalendar(clock.NowUtc(), &now));
  EXPECT_GE(now.year, 2020);
  EXPECT_LT(now.year, 2200);

  // Mid-winter and mid-summer, away from any daylight-saving change.
  for (FileTime utc : {129080304000000000ull, 129236688000000000ull}) {
    FileTime local = 0;
    FileTime back = 0;
    ASSERT_TRUE(clock.UtcToLocal(utc, &local));
    ASSERT_TRUE(clock.LocalToUtc(local, &back));
    EXPECT_EQ(back, utc);
  }
}

TEST(Clock, FormatsDateAndTime) {
  testing::TestPlatform test;
  Clock& clock = test.Get().clock;
  CalendarTime time;
  ASSERT_TRUE(FileTimeToCalendar(129124443090000000ull, &time));  // 2010-03-07 14:05:09
  const std::u16string date = clock.FormatDate(time);
  const std::u16string clockTime = clock.FormatTime(time);
  EXPECT_NE(date.find(u"2010"), std::u16string::npos) << testing::U8(date);
  EXPECT_NE(clockTime.find(u"05"), std::u16string::npos) << testing::U8(clockTime);
  if (test.IsSubstitute()) {
    EXPECT_EQ(date, u"3/7/2010");
    EXPECT_EQ(clockTime, u"2:05:09 PM");
    time.hour = 0;
    EXPECT_EQ(clock.FormatTime(time), u"12:05:09 AM");
    time.hour = 12;
    EXPECT_EQ(clock.FormatTime(time), u"12:05:09 PM");
  }
}

}  // namespace
}  // namespace ovalin::platform
