// The checks and reporting helpers that the scan rules share: stop/pause polling,
// progress arithmetic, the path test (IsValidPath), registry reference tests, and the
// judges of a key's default value and of the string values below a key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/path_judge.h"
#include "engine/reg_access.h"
#include "engine/reg_cleaner.h"
#include "engine/scanned_item.h"
#include "platform/file_system.h"
#include "platform/system_services.h"

namespace ovalin {

// Finding codes the rules produce.
enum TRCErrorCode : std::uint32_t {
  ecInvalidClsid = 33,
  ecInvalidTypeLib = 34,
  ecInvalidProgId = 35,
  ecInvalidInprocServer32 = 36,
  ecInvalidInprocServer = 37,
  ecInvalidLocalServer32 = 38,
  ecInvalidLocalServer = 39,
  ecInvalidToolboxBitmap32 = 40,
  ecInvalidDefaultIcon = 41,
  ecInvalidVersionIndependentProgId = 48,
  ecInvalidFilesAndPaths = 51,
  ecInvalidFileExtensions = 53,
  ecInvalidOpenWithProgids = 54,
  ecInvalidDllFiles = 55,
  ecInvalidRecentDocuments = 56,
  ecInvalidMenus = 57,
  ecInvalidShortcuts = 58,
  ecInvalidFonts = 59,
  ecInvalidHelpFiles = 60,
  ecInvalidUninstall = 61,
  ecInvalidSounds = 63,
  ecInvalidProxyStubClsid32 = 64,
  ecInvalidProxyStubClsid = 65,
  ecInvalidPersistentHandler = 66,
  ecInvalidCurVer = 67,
  ecInvalidHelpDir = 68,
  ecInvalidWin32 = 69,
  ecInvalidWin16 = 70,
  ecInvalidHistoryList = 73,
  ecInvalidStartupItems = 74,
  ecInvalidSetupFolders = 75,
  ecNullFileExtensions = 110,
  ecNullFileTypes = 111,
  ecNullOpenWithProgids = 113,
  ecNullUninstall = 119,
  ecNullHistoryList = 126,
  ecNullStartupItems = 127,
};

// The machine's software key as each kind of program sees it: the native one, then the
// copy that 64-bit Windows keeps for 32-bit programs (on a 32-bit Windows it does not
// open, and the rules judge the native one only). Entries below the second are judged
// in the 32-bit view.
constexpr std::u16string_view kMachineSoftwareKeys[] = {u"SOFTWARE", u"SOFTWARE\\WOW6432Node"};

// A key below the machine's software key, open in one view.
struct ViewKey {
  std::unique_ptr<RegAccess> key;
  std::u16string path;  // full path, "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\..."
  RegView view = RegView::kNative;
};
// Opens relativePath (below "SOFTWARE") in each view where it exists.
std::vector<ViewKey> OpenInEachView(platform::Registry& registry,
                                    std::u16string_view relativePath);

// The stop/pause poll every rule makes before each step: true when the rule must leave
// now; blocks while the scan is paused.
bool StopRequested(TRCRegCleaner& cleaner);

// start + span * done / total, rounded down; start when total is not positive.
int ProgressPercent(int start, int span, long long done, long long total);

// Builds a record; code is the scan type alone for an entry that is in order.
std::unique_ptr<TRCScannedItem> MakeRecord(std::uint32_t code, std::u16string_view title,
                                           std::u16string_view path,
                                           std::u16string_view valueName = {},
                                           std::u16string_view value = {});

// The record with its reason when its code makes it a finding (records of entries in
// order carry none).
std::unique_ptr<TRCScannedItem> WithReason(std::unique_ptr<TRCScannedItem> item,
                                           ReasonKind kind, std::u16string_view subject = {});

// Opens name below the key that parent has open; false when it cannot be opened.
bool OpenSubKey(RegAccess& child, const RegAccess& parent, std::u16string_view name);
// Opens path below a predefined root.
bool OpenRootKey(RegAccess& key, platform::RegKey root, std::u16string_view path);

// True for a string or expand-string data-type class.
bool IsStringClass(RegDataType type);

// The special folder with a trailing backslash, empty when the system cannot give it.
std::u16string GetSpecialFolder(platform::SystemServices& system, int csidl);

// What a check of an entry's text can prove: the file or folder it names is there, is
// not there, or nothing can be told (a network or removable drive, a UNC path, a file
// the scan may not read, an indirect resource string). Only kAbsent makes a finding.
enum class PathVerdict { kPresent, kAbsent, kCannotTell };

// Judges text as a path to an existing file or folder, allowing for command lines, icon
// references and argument lists, in the view of the programs that wrote it.
PathVerdict JudgePath(PathJudge& judge, std::u16string_view text, RegView view);
// True when JudgePath proves the text's file or folder missing.
bool PathIsMissing(PathJudge& judge, std::u16string_view text, RegView view);

// True when path is proved not to be a file (absent, or a folder).
bool ProvedNotFile(PathJudge& judge, std::u16string_view path, RegView view);
// True when path is proved not to be a folder (absent, or a file).
bool ProvedNotFolder(PathJudge& judge, std::u16string_view path, RegView view);

// True for an indirect string ("@{Package?ms-resource://...}") that names a resource of
// a packaged app rather than a file.
bool IsIndirectString(std::u16string_view text);

// True when the key called keyName exists below the area (a full registry path). For the
// areas that 64-bit Windows keeps twice (CLSID, Interface), a key in either copy counts:
// a reference made by a program of one kind may name a registration of the other.
bool KeyExistsUnder(platform::Registry& registry, std::u16string_view areaPath,
                    std::u16string_view keyName);

// KeyExistsUnder with the answers of the cleaner's current scan kept for its rest.
bool KeyExistsUnder(TRCRegCleaner& cleaner, std::u16string_view areaPath,
                    std::u16string_view keyName);

// True when text, blanks trimmed, is non-empty and made only of number characters.
bool IsNumericName(std::u16string_view text);

// True and the unexpanded text (possibly empty) when the value is of string class; one
// query for most values.
bool ReadIfString(RegAccess& key, std::u16string_view valueName, std::u16string* text);

// True and the unexpanded text when the value has data and is of string class.
bool ReadStringValue(RegAccess& key, std::u16string_view valueName, std::u16string* text);

// Judges the default value of key as a file path; reports one record (none when the
// key cannot be queried).
void CheckDefaultValuePath(TRCRegCleaner& cleaner, RegAccess& key, std::uint32_t code,
                           int percent, std::u16string_view title, std::u16string_view path,
                           std::uint32_t scanType);

// Judges the default value of key as the name of a key below areaPath.
void CheckDefaultValueReference(TRCRegCleaner& cleaner, RegAccess& key,
                                std::u16string_view areaPath, std::uint32_t code, int percent,
                                std::u16string_view title, std::u16string_view path,
                                std::uint32_t scanType);

// Judges every string value of parent\subKeyName and of every key below it: a
// drive-letter path proved missing is a finding to blank.
void ScanValuePaths(TRCRegCleaner& cleaner, const RegAccess& parent,
                    std::u16string_view subKeyName, std::u16string_view parentPath,
                    int percent, std::u16string_view title, std::uint32_t scanType);

// Reports the key at path as a finding to delete when empty.
void ReportKeyFinding(TRCRegCleaner& cleaner, std::u16string_view title, int percent,
                      std::uint32_t code, std::uint32_t scanType, std::u16string_view path);

}  // namespace ovalin
