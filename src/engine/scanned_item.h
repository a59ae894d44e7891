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

struct TRCScannedItem {
  std::uint32_t ScannedCode = 0;
  std::u16string Title;
  std::u16string Path;
  std::u16string ValueName;
  std::u16string Value;
  bool Deleted = false;
};

}  // namespace ovalin
