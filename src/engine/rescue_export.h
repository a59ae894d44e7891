// A backup set written out as a regedit file ("Windows Registry Editor Version 5.00",
// UTF-16 LE), so that a person can read it, keep it, or import it on any machine.
// Importing the file gives the state a restore of the set gives: every key of the set
// (with the parents a restore creates) and every backed-up value with the data of its
// last record, as the restore writes records in order and the last write stays.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ovalin {

// The .reg file's bytes for the data file. False, with error set, when the file cannot
// be read or is damaged (a restore of it would stop part way).
bool RescueAsRegText(platform::FileSystem& files, const std::u16string& backupFile,
                     std::string* regText, std::u16string* error);

// Writes the .reg file for the data file backupFile to regFile (both Windows paths).
bool ExportRescueAsReg(platform::Platform& platform, const std::u16string& backupFile,
                       const std::u16string& regFile, std::u16string* error);

}  // namespace ovalin
