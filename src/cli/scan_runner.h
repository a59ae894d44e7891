// Runs one scan to its end and keeps what the scan reported.
#pragma once

#include <cstdint>
#include <string>

#include "cli/interruption.h"
#include "cli/session.h"
#include "engine/reg_cleaner.h"

namespace ovalin::cli {

struct ScanSummary {
  bool started = false;
  bool interrupted = false;  // stopped by Ctrl+C before its end
  std::uint32_t scanTypes = 0;
  std::uint64_t judged = 0;     // every record handed to AddFinding
  std::uint64_t notOpened = 0;  // keys the registry refused during the scan
};

// Scans and waits for the end. Progress goes to standard error when showProgress is set.
// With an interrupt guard, Ctrl+C stops the scan.
ScanSummary RunScan(Session& session, std::uint32_t scanTypes, bool showProgress,
                    const InterruptGuard* interrupt = nullptr);

// Tells on standard error that a scan without administrator rights sees only part of
// the registry.
void WarnWhenNotElevated(Session& session);

// The findings of the last scan as JSON members "findings" and "secondPass" (without the
// surrounding braces), and as a readable table.
std::string FindingsJson(const TRCRegCleaner& cleaner);
std::string FindingsTable(const TRCRegCleaner& cleaner);
std::string FindingJson(int index, const TRCScannedItem& item);

}  // namespace ovalin::cli
