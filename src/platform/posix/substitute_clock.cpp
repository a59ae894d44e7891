#include "platform/posix/substitute_clock.h"

#include <chrono>
#include <string>

namespace ovalin::platform::posix {
namespace {

// FILETIME of 1970-01-01 00:00 UTC.
constexpr FileTime kUnixEpoch = 116444736000000000ull;
constexpr long long kTicksPerMinute = 600000000ll;

std::u16string Number(int value, int minimumDigits) {
  std::string digits = std::to_string(value);
  while (static_cast<int>(digits.size()) < minimumDigits) digits.insert(digits.begin(), '0');
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

SubstituteClock::SubstituteClock(int utcOffsetMinutes) : utcOffsetMinutes_(utcOffsetMinutes) {}

FileTime SubstituteClock::NowUtc() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100;
  return kUnixEpoch + static_cast<FileTime>(ticks);
}

bool SubstituteClock::Shift(FileTime time, long long minutes, FileTime* result) const {
  if (result == nullptr) return false;
  const long long delta = minutes * kTicksPerMinute;
  if (delta < 0 && time < static_cast<FileTime>(-delta)) return false;
  if (delta > 0 && time > ~FileTime{0} - static_cast<FileTime>(delta)) return false;
  *result = time + static_cast<FileTime>(delta);
  return true;
}

bool SubstituteClock::UtcToLocal(FileTime utc, FileTime* local) {
  return Shift(utc, utcOffsetMinutes_, local);
}

bool SubstituteClock::LocalToUtc(FileTime local, FileTime* utc) {
  return Shift(local, -static_cast<long long>(utcOffsetMinutes_), utc);
}

std::u16string SubstituteClock::FormatDate(const CalendarTime& time) {
  return Number(time.month, 1) + u"/" + Number(time.day, 1) + u"/" + Number(time.year, 4);
}

std::u16string SubstituteClock::FormatTime(const CalendarTime& time) {
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  return Number(hour12, 1) + u":" + Number(time.minute, 2) + u":" + Number(time.second, 2) +
         (time.hour < 12 ? u" AM" : u" PM");
}

}  // namespace ovalin::platform::posix
