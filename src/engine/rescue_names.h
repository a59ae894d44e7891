// The names a backup set is known by: its section in the backup index and its data file,
// both made of the clean's local time.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"

namespace ovalin {

// "2010-03-07 14:05:09"
std::u16string FormatSectionName(const platform::CalendarTime& time);
// "2010-03-07 14-05-09.rss"
std::u16string FormatBackupFileName(const platform::CalendarTime& time);
// The local time of a section name; false (and 0) when any field is missing, is not a
// decimal number, or the date or time is invalid. Each field before its delimiter must
// have at least two characters.
bool ParseSectionName(std::u16string_view name, platform::FileTime* local);

// True when the text names a file directly inside the backup folder: not empty, no
// folder separators or drive, not "." or "..". Names from the index are checked with it
// before any file is opened or deleted.
bool IsPlainBackupFileName(std::u16string_view name);

// True when two absolute Windows paths name the same file however they are spelt:
// letter case (ASCII), forward or repeated slashes, "." and ".." components and a
// trailing separator do not matter.
bool SameWindowsPath(std::u16string_view a, std::u16string_view b);

}  // namespace ovalin
