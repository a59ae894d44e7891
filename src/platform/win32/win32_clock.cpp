#include "platform/win32/win32_clock.h"

#include <vector>

#include "platform/win32/win32_text.h"

namespace ovalin::platform::win32 {
namespace {

FILETIME ToFiletime(FileTime time) {
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
  result.dwHighDateTime = static_cast<DWORD>(time >> 32);
  return result;
}

FileTime FromFiletime(const FILETIME& time) {
  return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

SYSTEMTIME ToSystemTime(const CalendarTime& time) {
  SYSTEMTIME result{};
  result.wYear = static_cast<WORD>(time.year);
  result.wMonth = static_cast<WORD>(time.month);
  result.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
  result.wDay = static_cast<WORD>(time.day);
  result.wHour = static_cast<WORD>(time.hour);
  result.wMinute = static_cast<WORD>(time.minute);
  result.wSecond = static_cast<WORD>(time.second);
  result.wMilliseconds = static_cast<WORD>(time.milliseconds);
  return result;
}

template <typename Format>
std::u16string FormatWith(Format format) {
  const int needed = format(nullptr, 0);
  if (needed <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(needed));
  const int written = format(buffer.data(), needed);
  if (written <= 0) return {};
  return FromWide(buffer.data(), static_cast<size_t>(written - 1));
}

}  // namespace

FileTime Win32Clock::NowUtc() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return FromFiletime(now);
}

bool Win32Clock::UtcToLocal(FileTime utc, FileTime* local) {
  if (local == nullptr) return false;
  const FILETIME source = ToFiletime(utc);
  SYSTEMTIME universal;
  SYSTEMTIME localTime;
  FILETIME result;
  if (!::FileTimeToSystemTime(&source, &universal) ||
      !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &localTime) ||
      !::SystemTimeToFileTime(&localTime, &result)) {
    return false;
  }
  *local = FromFiletime(result);
  return true;
}

bool Win32Clock::LocalToUtc(FileTime local, FileTime* utc) {
  if (utc == nullptr) return false;
  const FILETIME source = ToFiletime(local);
  SYSTEMTIME localTime;
  SYSTEMTIME universal;
  FILETIME result;
  if (!::FileTimeToSystemTime(&source, &localTime) ||
      !::TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &universal) ||
      !::SystemTimeToFileTime(&universal, &result)) {
    return false;
  }
  *utc = FromFiletime(result);
  return true;
}

std::u16string Win32Clock::FormatDate(const CalendarTime& time) {
  const SYSTEMTIME value = ToSystemTime(time);
  return FormatWith([&](wchar_t* buffer, int capacity) {
    return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &value, nullptr, buffer,
                            capacity);
  });
}

std::u16string Win32Clock::FormatTime(const CalendarTime& time) {
  const SYSTEMTIME value = ToSystemTime(time);
  return FormatWith([&](wchar_t* buffer, int capacity) {
    return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &value, nullptr, buffer, capacity);
  });
}

}  // namespace ovalin::platform::win32
