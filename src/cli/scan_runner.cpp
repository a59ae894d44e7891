#include "cli/scan_runner.h"

#include <atomic>
#include <cstdio>

#include "cli/output.h"
#include "engine/finding_id.h"
#include "engine/path_judge.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

ScanSummary RunScan(Session& session, std::uint32_t scanTypes, bool showProgress,
                    const InterruptGuard* interrupt) {
  TRCRegCleaner& cleaner = session.Cleaner();
  const std::uint64_t notOpenedBefore = session.KeysNotOpened();
  ScanSummary summary;
  summary.scanTypes = scanTypes & kScanTypeMask;
  std::atomic<std::uint64_t> judged{0};
  std::atomic<std::uint32_t> lastType{0};
  cleaner.OnScanning = [&](TRCRegCleaner& sender, const ScanningEventArgs& event) {
    ++judged;
    if (interrupt != nullptr && interrupt->Requested() && !sender.ForceBroken()) sender.Stop();
    if (showProgress && event.scanType != lastType.exchange(event.scanType)) {
      char line[64];
      std::snprintf(line, sizeof line, "scanning 0x%06x...\n", event.scanType);
      PrintError(line);
    }
  };
  summary.started = cleaner.Scan(scanTypes);
  if (summary.started) cleaner.WaitForIdle();
  cleaner.OnScanning = nullptr;
  summary.judged = judged.load();
  summary.notOpened = session.KeysNotOpened() - notOpenedBefore;
  summary.interrupted = interrupt != nullptr && interrupt->Requested();
  return summary;
}

void WarnWhenNotElevated(Session& session) {
  if (session.Elevated()) return;
  PrintError(
      "ovalin-rc: not running as administrator: keys that need administrator rights are "
      "not scanned (see \"notOpened\")\n");
}

std::string FindingJson(int index, const TRCScannedItem& item) {
  const std::uint32_t code = item.ScannedCode;
  return "{\"index\": " + std::to_string(index) + ", \"id\": \"" + FindingId(item) +
         "\", \"code\": " + std::to_string(code) +
         ", \"scanType\": " + std::to_string(ScanTypeOf(code)) +
         ", \"markType\": " + std::to_string(MarkTypeOf(code)) +
         ", \"errorCode\": " + std::to_string(ErrorCodeOf(code)) +
         ", \"title\": " + JsonString(item.Title) + ", \"path\": " + JsonString(item.Path) +
         ", \"valueName\": " + JsonString(item.ValueName) +
         ", \"value\": " + JsonString(item.Value) +
         // The registry view of the programs that wrote the entry.
         ", \"view\": \"" + (ViewOfKeyPath(item.Path) == RegView::kWow32 ? "32" : "64") +
         "\", \"reason\": " + JsonString(ReasonText(item.Reason)) + "}";
}

namespace {

std::string JsonList(const std::vector<std::unique_ptr<TRCScannedItem>>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += i == 0 ? "\n    " : ",\n    ";
    out += FindingJson(static_cast<int>(i), *items[i]);
  }
  out += items.empty() ? "]" : "\n  ]";
  return out;
}

std::string TableRows(const std::vector<std::unique_ptr<TRCScannedItem>>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TRCScannedItem& item = *items[i];
    char head[64];
    std::snprintf(head, sizeof head, "%5zu  %s  %08x  ", i, FindingId(item).c_str(),
                  item.ScannedCode);
    out += head;
    out += ToUtf8(item.Path);
    if (!item.ValueName.empty()) out += "  [" + ToUtf8(item.ValueName) + "]";
    if (!item.Value.empty()) out += "  = " + ToUtf8(item.Value);
    if (!item.Title.empty()) out += "  (" + ToUtf8(item.Title) + ")";
    out += "\n";
  }
  return out;
}

}  // namespace

std::string FindingsJson(const TRCRegCleaner& cleaner) {
  return "\"findings\": " + JsonList(cleaner.ScannedItems()) +
         ",\n  \"secondPass\": " + JsonList(cleaner.ScannedItems_SecondClean());
}

std::string FindingsTable(const TRCRegCleaner& cleaner) {
  std::string out = "index  id                code      key  [value name]  = value  (title)\n";
  out += TableRows(cleaner.ScannedItems());
  if (cleaner.ScannedItemsCount_SecondClean() > 0) {
    out += "emptied keys checked again after a clean:\n";
    out += TableRows(cleaner.ScannedItems_SecondClean());
  }
  return out;
}

}  // namespace ovalin::cli
