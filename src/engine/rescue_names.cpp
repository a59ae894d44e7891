#include "engine/rescue_names.h"

#include <cstdio>
#include <vector>

#include "engine/rescue_item.h"

namespace ovalin {

namespace {

std::u16string Ascii(const char* text) {
  std::u16string result;
  while (*text != 0) result.push_back(static_cast<char16_t>(*text++));
  return result;
}

std::u16string Format(const platform::CalendarTime& t, const char* pattern) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return Ascii(buffer);
}

// Takes the field before the next delimiter and cuts the text after it; the delimiter
// must be at index 2 or later.
bool TakeField(std::u16string_view* text, char16_t delimiter, std::u16string_view* field) {
  const std::size_t at = text->find(delimiter);
  if (at == std::u16string_view::npos || at < 2) return false;
  *field = text->substr(0, at);
  text->remove_prefix(at + 1);
  return true;
}

bool Decimal(std::u16string_view text, int* value) {
  if (text.empty() || text.size() > 9) return false;
  int result = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    result = result * 10 + (c - u'0');
  }
  *value = result;
  return true;
}

}  // namespace

std::u16string FormatSectionName(const platform::CalendarTime& time) {
  return Format(time, "%0.4d-%0.2d-%0.2d %0.2d:%0.2d:%0.2d");
}

std::u16string FormatBackupFileName(const platform::CalendarTime& time) {
  return Format(time, "%0.4d-%0.2d-%0.2d %0.2d-%0.2d-%0.2d") + u".rss";
}

bool ParseSectionName(std::u16string_view name, platform::FileTime* local) {
  *local = 0;
  std::u16string_view rest = name;
  std::u16string_view fields[6];
  if (!TakeField(&rest, u'-', &fields[0]) || !TakeField(&rest, u'-', &fields[1]) ||
      !TakeField(&rest, u' ', &fields[2]) || !TakeField(&rest, u':', &fields[3]) ||
      !TakeField(&rest, u':', &fields[4])) {
    return false;
  }
  fields[5] = rest;
  int values[6];
  for (int i = 0; i < 6; ++i) {
    if (!Decimal(fields[i], &values[i])) return false;
  }
  platform::CalendarTime time;
  time.year = values[0];
  time.month = values[1];
  time.day = values[2];
  time.hour = values[3];
  time.minute = values[4];
  time.second = values[5];
  time.milliseconds = 0;
  platform::FileTime result = 0;  // validates the date and time
  if (!platform::CalendarToFileTime(time, &result)) return false;
  *local = result;
  return true;
}

bool IsPlainBackupFileName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

namespace {

// The path in one spelling: lower case, backslashes only, no empty, "." or ".."
// components (".." takes the one before it away, but never the drive or server).
std::u16string NormalizedPath(std::u16string_view path) {
  std::u16string text(path);
  for (char16_t& c : text) {
    if (c == u'/') c = u'\\';
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  const bool network = text.rfind(u"\\\\", 0) == 0;
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(u'\\', start);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string part = text.substr(start, end - start);
    if (part == u"..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::u16string result = network ? u"\\\\" : u"";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i != 0) result += u'\\';
    result += parts[i];
  }
  return result;
}

}  // namespace

bool SameWindowsPath(std::u16string_view a, std::u16string_view b) {
  return NormalizedPath(a) == NormalizedPath(b);
}

platform::FileTime TRCRescueItem::DateTime() const {
  platform::FileTime local = 0;
  ParseSectionName(SectionName, &local);
  return local;
}

void TRCRescueItem::SetDateTime(platform::FileTime local) {
  platform::CalendarTime time;
  if (platform::FileTimeToCalendar(local, &time)) SectionName = FormatSectionName(time);
}

}  // namespace ovalin
