#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/scan_runner.h"
#include "cli/session.h"

namespace ovalin::cli {

int RunScanCommand(const std::vector<std::string>& arguments) {
  CommonOptions options;
  ArgumentReader reader(arguments);
  while (!reader.Done()) {
    if (!ReadCommonOption(reader, options)) throw UsageError{"unknown option " + reader.Peek()};
  }
  Session session(options);
  WarnWhenNotElevated(session);
  const ScanSummary summary = RunScan(session, options.scanTypes, !options.json);
  if (!summary.started) {
    PrintError("ovalin-rc: the scan could not start\n");
    return kExitFailed;
  }
  TRCRegCleaner& cleaner = session.Cleaner();
  if (options.json) {
    Print("{\"scanTypes\": " + std::to_string(summary.scanTypes) +
          ", \"judged\": " + std::to_string(summary.judged) +
          ", \"notOpened\": " + std::to_string(summary.notOpened) +
          ", \"elevated\": " + (session.Elevated() ? "true" : "false") +
          ", \"ignored\": " + std::to_string(cleaner.IgnoredCount()) + ",\n  " +
          FindingsJson(cleaner) + "}\n");
  } else {
    Print(FindingsTable(cleaner));
    Print(std::to_string(cleaner.ScannedItemsCount()) + " findings, " +
          std::to_string(cleaner.ScannedItemsCount_SecondClean()) +
          " keys to check after a clean, " + std::to_string(summary.judged) +
          " entries judged, " + std::to_string(summary.notOpened) +
          " keys could not be opened, " + std::to_string(cleaner.IgnoredCount()) +
          " ignored\n");
  }
  return Finish(session, kExitOk);
}

}  // namespace ovalin::cli
