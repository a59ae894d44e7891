// One finding or progress record of a scan, and the parts of its code.
#pragma once

#include <cstdint>
#include <string>

namespace ovalin {

// Scan-type bits (run order is kRunOrder in reg_cleaner.h, not the order of the bits).
enum TRCScanType : std::uint32_t {
  stComponents = 0x1000,
  stFileTypes = 0x2000,
  stPrograms = 0x4000,
  stSharedDlls = 0x8000,
  stHelpFiles = 0x10000,
  stHistoryList = 0x20000,
  stFonts = 0x40000,
  stShortcuts = 0x80000,
  stSounds = 0x100000,
  stStartMenu = 0x200000,
  stStartup = 0x400000,
};
constexpr std::uint32_t kAllScanTypes = 0x7FF000;
constexpr std::uint32_t kScanTypeMask = 0xFFFFF000;

// What the clean does with a finding.
enum TRCMarkType : std::uint32_t {
  mtDeleteKeyTree = 0x200,
  mtDeleteEmptyKey = 0x300,
  mtDeleteValue = 0x500,
  mtBlankValue = 0x600,
  mtSecondPass = 0x800,
};
constexpr std::uint32_t kMarkTypeMask = 0xF00;
constexpr std::uint32_t kErrorCodeMask = 0xFF;

constexpr std::uint32_t ScanTypeOf(std::uint32_t code) { return code & kScanTypeMask; }
constexpr std::uint32_t MarkTypeOf(std::uint32_t code) { return code & kMarkTypeMask; }
constexpr std::uint32_t ErrorCodeOf(std::uint32_t code) { return code & kErrorCodeMask; }

// Why a rule reported a finding: what it looked for and did not find. Kept with the
// finding for the window and the command line; backups do not store it.
enum class ReasonKind : std::uint8_t {
  kNone,
  kFileNotFound,    // subject: the file or command line looked for
  kFolderNotFound,  // subject: the folder looked for
  kKeyNotFound,     // subject: the full path of the key looked for
  kEmptyValue,      // the value holds nothing
  kEmptyKey,        // the key holds no values and no subkeys
  kNotText,         // subject: the value; it should hold text and holds other data
};

struct FindingReason {
  ReasonKind kind = ReasonKind::kNone;
  std::u16string subject;
};

// The reason in English ("File not found: C:\x.dll"), for logs and the command line.
std::u16string ReasonText(const FindingReason& reason);

struct TRCScannedItem {
  std::uint32_t ScannedCode = 0;
  std::u16string Title;
  std::u16string Path;
  std::u16string ValueName;
  std::u16string Value;
  bool Deleted = false;
  FindingReason Reason;
};

}  // namespace ovalin
