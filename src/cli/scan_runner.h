// Runs one scan to its end and keeps what the scan reported.
#pragma once

#include <cstdint>
#include <string>

#include "engine/reg_cleaner.h"

namespace ovalin::cli {

struct ScanSummary {
  bool started = false;
  std::uint32_t scanTypes = 0;
  std::uint64_t judged = 0;  // every record handed to AddFinding
};

// Scans and waits for the end. Progress goes to standard error when showProgress is set.
ScanSummary RunScan(TRCRegCleaner& cleaner, std::uint32_t scanTypes, bool showProgress);

// The findings of the last scan as JSON members "findings" and "secondPass" (without the
// surrounding braces), and as a readable table.
std::string FindingsJson(const TRCRegCleaner& cleaner);
std::string FindingsTable(const TRCRegCleaner& cleaner);
std::string FindingJson(int index, const TRCScannedItem& item);

}  // namespace ovalin::cli
