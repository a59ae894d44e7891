// The verb "clean": scans, then cleans the chosen findings with a backup set.
#include <algorithm>
#include <set>

#include "cli/backup_commands.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/scan_runner.h"
#include "cli/session.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

std::set<std::u16string> SectionsOf(TRCRegCleaner& cleaner) {
  std::set<std::u16string> sections;
  cleaner.UpdateRescueList();
  for (int i = 0; i < cleaner.RescueCount(); ++i) sections.insert(cleaner.RescueItems(i)->SectionName);
  return sections;
}

// The set the clean recorded: the listed set that was not there before.
const TRCRescueItem* NewSet(TRCRegCleaner& cleaner, const std::set<std::u16string>& before) {
  cleaner.UpdateRescueList();
  for (int i = 0; i < cleaner.RescueCount(); ++i) {
    if (before.count(cleaner.RescueItems(i)->SectionName) == 0) return cleaner.RescueItems(i);
  }
  return nullptr;
}

std::string FindingLine(int index, const TRCScannedItem* item) {
  std::string line = "  " + std::to_string(index);
  if (item == nullptr) return line + "  (no such finding)\n";
  line += "  " + ToUtf8(item->Path);
  if (!item->ValueName.empty()) line += "  [" + ToUtf8(item->ValueName) + "]";
  return line + "\n";
}

}  // namespace

int RunCleanCommand(const std::vector<std::string>& arguments) {
  CommonOptions options;
  bool all = false;
  bool haveIndexes = false;
  std::vector<int> indexes;
  std::u16string description;
  ArgumentReader reader(arguments);
  while (!reader.Done()) {
    const std::string option = reader.Peek();
    if (option == "--all") {
      reader.Next();
      all = true;
    } else if (option == "--index") {
      reader.Next();
      indexes = ParseIndexList(reader.ValueOf(option));
      haveIndexes = true;
    } else if (option == "--description") {
      reader.Next();
      description = FromUtf8(reader.ValueOf(option));
    } else if (!ReadCommonOption(reader, options)) {
      throw UsageError{"unknown option " + option};
    }
  }
  if (all == haveIndexes) throw UsageError{"clean needs --all or --index LIST"};

  Session session(options);
  TRCRegCleaner& cleaner = session.Cleaner();
  const ScanSummary summary = RunScan(cleaner, options.scanTypes, !options.json);
  if (!summary.started) throw UsageError{"the scan-type mask selects no scan type"};
  if (all) {
    indexes.resize(static_cast<std::size_t>(cleaner.ScannedItemsCount()));
    for (std::size_t i = 0; i < indexes.size(); ++i) indexes[i] = static_cast<int>(i);
  }

  const std::set<std::u16string> before = SectionsOf(cleaner);
  int cleanedSoFar = 0;
  // One line per cleaned finding on standard error, unbuffered, so that a watcher sees
  // how far a clean got even when it is killed.
  cleaner.OnCleaning = [&](TRCRegCleaner&, int percent) {
    PrintError("cleaned " + std::to_string(++cleanedSoFar) + " (" + std::to_string(percent) +
               "%)\n");
  };
  std::vector<int> failed;
  cleaner.Clean(indexes, &failed, description);
  const TRCRescueItem* set = NewSet(cleaner, before);

  auto itemAt = [&](int index) -> const TRCScannedItem* {
    if (index < 0 || index >= cleaner.ScannedItemsCount()) return nullptr;
    return cleaner.ScannedItems()[static_cast<std::size_t>(index)].get();
  };
  std::vector<int> cleaned;
  std::vector<int> remaining = failed;
  for (int index : indexes) {
    const auto at = std::find(remaining.begin(), remaining.end(), index);
    if (at != remaining.end()) {
      remaining.erase(at);
    } else {
      cleaned.push_back(index);
    }
  }

  if (options.json) {
    auto list = [&](const std::vector<int>& which) {
      std::string out = "[";
      for (std::size_t i = 0; i < which.size(); ++i) {
        const TRCScannedItem* item = itemAt(which[i]);
        out += i == 0 ? "\n    " : ",\n    ";
        out += item != nullptr ? FindingJson(which[i], *item)
                               : "{\"index\": " + std::to_string(which[i]) + "}";
      }
      return out + (which.empty() ? "]" : "\n  ]");
    };
    Print("{\"cleaned\": " + list(cleaned) + ",\n  \"failed\": " + list(failed) +
          ",\n  \"backupSet\": " + (set != nullptr ? RescueSetJson(cleaner, *set) : "null") +
          "}\n");
  } else {
    Print("cleaned " + std::to_string(cleaned.size()) + " of " + std::to_string(indexes.size()) +
          " findings\n");
    for (int index : cleaned) Print(FindingLine(index, itemAt(index)));
    if (!failed.empty()) {
      Print("not cleaned:\n");
      for (int index : failed) Print(FindingLine(index, itemAt(index)));
    }
    Print(set != nullptr ? "backup set " + RescueSetLine(cleaner, *set) : "no backup set written\n");
  }
  const bool nothingCleaned = !indexes.empty() && cleaned.empty();
  std::string error;
  if (!session.SaveRegistry(&error)) {
    PrintError(error + "\n");
    return kExitFailed;
  }
  return nothingCleaned ? kExitFailed : kExitOk;
}

}  // namespace ovalin::cli
