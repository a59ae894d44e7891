// The eleven scan rules. Each walks one area of the registry, judges every entry it
// meets and hands one record per judged entry to the cleaner's AddFinding. All take
// (cleaner, start percent, span percent) and poll stop and pause before each step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/reg_cleaner.h"

namespace ovalin {

// COM classes, type libraries and interfaces below HKEY_CLASSES_ROOT.
void ScanComComponents(TRCRegCleaner& cleaner, int start, int span);
void ScanClsids(TRCRegCleaner& cleaner, int start, int span);
void ScanTypeLibs(TRCRegCleaner& cleaner, int start, int span);
void ScanInterfaces(TRCRegCleaner& cleaner, int start, int span);

// Extensions and file types below HKEY_CLASSES_ROOT, and the Explorer's FileExts list.
void ScanFileTypes(TRCRegCleaner& cleaner, int start, int span);

// Uninstall entries and the installer's folder list.
void ScanPrograms(TRCRegCleaner& cleaner, int start, int span);

void ScanFonts(TRCRegCleaner& cleaner, int start, int span);
void ScanHelpFiles(TRCRegCleaner& cleaner, int start, int span);
void ScanSharedDlls(TRCRegCleaner& cleaner, int start, int span);

// The open and save dialogs' history (ComDlg32).
void ScanHistoryList(TRCRegCleaner& cleaner, int start, int span);
// The Explorer's recent documents and the shortcut files behind them.
void ScanRecentDocs(TRCRegCleaner& cleaner, int start, int span);
// The saved order of the start menu and favorites folders.
void ScanStartMenu(TRCRegCleaner& cleaner, int start, int span);
// The sound files of the user's event sound schemes.
void ScanSounds(TRCRegCleaner& cleaner, int start, int span);
// The machine-wide Run list.
void ScanStartup(TRCRegCleaner& cleaner, int start, int span);

// One RecentDocs entry: the document name, then (at 2n + 16) the shortcut file's name.
struct RecentDocEntry {
  std::u16string document;
  std::u16string shortcut;
};
// Parses what it can of data[0, size); never reads outside it.
RecentDocEntry ParseRecentDocEntry(const std::uint8_t* data, std::size_t size);

// One LastVisitedMRU entry: a program name and a folder, each ending at a NUL.
struct LastVisitedEntry {
  std::u16string program;
  std::u16string folder;
};
LastVisitedEntry ParseLastVisitedEntry(const std::uint8_t* data, std::size_t size);

}  // namespace ovalin
