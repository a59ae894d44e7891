// The verb "clean": scans, then cleans the chosen findings with a backup set. Findings
// are chosen by id, never by a position alone: a position in a fresh scan of other
// types, or after an earlier clean, names another entry than the one the person saw.
#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>

#include "cli/backup_commands.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/interruption.h"
#include "cli/output.h"
#include "cli/saved_scan.h"
#include "cli/scan_runner.h"
#include "cli/session.h"
#include "engine/finding_id.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

struct CleanArguments {
  CommonOptions options;
  bool all = false;
  std::optional<std::vector<std::string>> ids;
  std::optional<std::string> fromFile;
  std::vector<int> indexes;  // positions in the --from document
  std::u16string description;
};

CleanArguments ReadCleanArguments(const std::vector<std::string>& arguments) {
  CleanArguments parsed;
  ArgumentReader reader(arguments);
  while (!reader.Done()) {
    const std::string option = reader.Peek();
    if (option == "--all") {
      reader.Next();
      parsed.all = true;
    } else if (option == "--id") {
      reader.Next();
      parsed.ids = ParseIdList(reader.ValueOf(option));
    } else if (option == "--from") {
      reader.Next();
      parsed.fromFile = reader.ValueOf(option);
    } else if (option == "--index") {
      reader.Next();
      parsed.indexes = ParseIndexList(reader.ValueOf(option));
    } else if (option == "--description") {
      reader.Next();
      parsed.description = FromUtf8(reader.ValueOf(option));
    } else if (!ReadCommonOption(reader, parsed.options)) {
      throw UsageError{"unknown option " + option};
    }
  }
  if (!parsed.indexes.empty() && !parsed.fromFile) {
    throw UsageError{
        "--index only counts in the saved scan given with --from FILE; "
        "name findings with --id"};
  }
  const int selections = (parsed.all ? 1 : 0) + (parsed.ids ? 1 : 0) + (parsed.fromFile ? 1 : 0);
  if (selections != 1) throw UsageError{"clean needs one of --all, --id ID[,ID...] or --from FILE"};
  return parsed;
}

std::set<std::u16string> SectionsOf(TRCRegCleaner& cleaner) {
  std::set<std::u16string> sections;
  cleaner.UpdateRescueList();
  for (int i = 0; i < cleaner.RescueCount(); ++i) {
    sections.insert(cleaner.RescueItems(i)->SectionName);
  }
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

// The indexes of the current findings with the requested ids (every finding that has
// it), and the ids no current finding has.
void ResolveIds(const TRCRegCleaner& cleaner, const std::vector<std::string>& ids,
                std::vector<int>* indexes, std::vector<std::string>* notFound) {
  std::unordered_map<std::string, std::vector<int>> current;
  for (int i = 0; i < cleaner.ScannedItemsCount(); ++i) {
    current[FindingId(*cleaner.ScannedItems()[static_cast<std::size_t>(i)])].push_back(i);
  }
  for (const std::string& id : ids) {
    const auto found = current.find(id);
    if (found == current.end()) {
      notFound->push_back(id);
    } else {
      indexes->insert(indexes->end(), found->second.begin(), found->second.end());
    }
  }
}

std::string FindingLine(int index, const TRCScannedItem& item) {
  std::string line =
      "  " + std::to_string(index) + "  " + FindingId(item) + "  " + ToUtf8(item.Path);
  if (!item.ValueName.empty()) line += "  [" + ToUtf8(item.ValueName) + "]";
  return line + "\n";
}

}  // namespace

int RunCleanCommand(const std::vector<std::string>& arguments) {
  CleanArguments parsed = ReadCleanArguments(arguments);
  CommonOptions& options = parsed.options;
  std::vector<std::string> ids = parsed.ids.value_or(std::vector<std::string>{});
  if (parsed.fromFile) {
    const SavedScan saved = ReadSavedScan(*parsed.fromFile, parsed.indexes);
    ids = saved.ids;
    // The saved scan's types, so that the same findings are looked for again.
    if (!options.scanTypesGiven && (saved.scanTypes & kAllScanTypes) != 0) {
      options.scanTypes = saved.scanTypes & kAllScanTypes;
    }
  }

  Session session(options);
  if (!RequireElevation(session, "clean")) return kExitFailed;
  TRCRegCleaner& cleaner = session.Cleaner();
  const InterruptGuard interrupt;
  const ScanSummary summary = RunScan(session, options.scanTypes, !options.json, &interrupt);
  if (!summary.started || summary.interrupted) {
    PrintError(summary.started ? "ovalin-rc: interrupted during the scan; nothing was cleaned\n"
                               : "ovalin-rc: the scan could not start\n");
    return kExitFailed;
  }

  std::vector<int> indexes;
  std::vector<std::string> notFound;
  if (parsed.all) {
    for (int i = 0; i < cleaner.ScannedItemsCount(); ++i) indexes.push_back(i);
  } else {
    ResolveIds(cleaner, ids, &indexes, &notFound);
  }

  const std::set<std::u16string> before = SectionsOf(cleaner);
  int cleanedSoFar = 0;
  // One line per cleaned finding on standard error, unbuffered, so that a watcher sees
  // how far a clean got even when it is killed. Ctrl+C ends the clean after the finding
  // in hand; the set and its section are still written.
  cleaner.OnCleaning = [&](TRCRegCleaner& sender, int percent) {
    PrintError("cleaned " + std::to_string(++cleanedSoFar) + " (" + std::to_string(percent) +
               "%)\n");
    if (interrupt.Requested() && !sender.ForceBroken()) sender.Stop();
  };
  std::vector<int> failed;
  cleaner.Clean(indexes, &failed, parsed.description);
  // Stopped before its end; a Ctrl+C after the last finding interrupted nothing.
  const bool interrupted = interrupt.Requested() && cleaner.ForceBroken();
  const std::u16string unrecorded = cleaner.UnrecordedBackupFile();
  const TRCRescueItem* set = NewSet(cleaner, before);

  std::vector<int> cleaned;
  for (int index : indexes) {
    if (std::find(failed.begin(), failed.end(), index) == failed.end() &&
        std::find(cleaned.begin(), cleaned.end(), index) == cleaned.end()) {
      cleaned.push_back(index);
    }
  }
  auto itemAt = [&](int index) -> const TRCScannedItem& {
    return *cleaner.ScannedItems()[static_cast<std::size_t>(index)];
  };

  if (options.json) {
    auto list = [&](const std::vector<int>& which) {
      std::string out = "[";
      for (std::size_t i = 0; i < which.size(); ++i) {
        out += (i == 0 ? "\n    " : ",\n    ") + FindingJson(which[i], itemAt(which[i]));
      }
      return out + (which.empty() ? "]" : "\n  ]");
    };
    std::string missing = "[";
    for (std::size_t i = 0; i < notFound.size(); ++i) {
      missing += (i == 0 ? "\"" : ", \"") + notFound[i] + "\"";
    }
    Print("{\"cleaned\": " + list(cleaned) + ",\n  \"failed\": " + list(failed) +
          ",\n  \"notFound\": " + missing +
          "], \"interrupted\": " + (interrupted ? "true" : "false") +
          ", \"indexWritten\": " + (unrecorded.empty() ? "true" : "false") +
          ",\n  \"backupSet\": " + (set != nullptr ? RescueSetJson(cleaner, *set) : "null") +
          "}\n");
  } else {
    Print("cleaned " + std::to_string(cleaned.size()) + " of " +
          std::to_string(cleaned.size() + failed.size()) + " findings\n");
    for (int index : cleaned) Print(FindingLine(index, itemAt(index)));
    if (!failed.empty()) {
      Print(interrupted ? "not cleaned (failed, or not reached before the interruption):\n"
                        : "not cleaned:\n");
      for (int index : failed) Print(FindingLine(index, itemAt(index)));
    }
    for (const std::string& id : notFound) Print("no longer found: " + id + "\n");
    Print(set != nullptr ? "backup set " + RescueSetLine(cleaner, *set)
                         : "no backup set written\n");
  }
  if (interrupted) {
    PrintError("ovalin-rc: interrupted; the findings cleaned so far are backed up\n");
  }
  if (!unrecorded.empty()) {
    PrintError("ovalin-rc: the backup index " + ToUtf8(cleaner.RescueListFile()) +
               " could not be written; this clean's backups are in " + ToUtf8(unrecorded) + "\n");
  }
  return Finish(session,
                failed.empty() && unrecorded.empty() && !interrupted ? kExitOk : kExitFailed);
}

}  // namespace ovalin::cli
