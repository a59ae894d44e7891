// The verb "ignore": the list of entries a person keeps out of the findings, the same
// "Ignored.ini" the program's window keeps. `list` shows it, `add --id` puts a finding
// of a fresh scan on it, `remove --id` takes an entry off by its id.
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/ignored_entry_id.h"
#include "cli/output.h"
#include "cli/scan_runner.h"
#include "cli/session.h"
#include "engine/finding_id.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

enum class IgnoreAction { kList, kAdd, kRemove };

struct IgnoreArguments {
  IgnoreAction action = IgnoreAction::kList;
  CommonOptions options;
  std::optional<std::string> id;
};

const struct {
  const char* word;
  IgnoreAction action;
} kActions[] = {
    {"list", IgnoreAction::kList},
    {"add", IgnoreAction::kAdd},
    {"remove", IgnoreAction::kRemove},
};

IgnoreArguments ReadIgnoreArguments(const std::vector<std::string>& arguments) {
  IgnoreArguments parsed;
  std::optional<std::string> action;
  ArgumentReader reader(arguments);
  while (!reader.Done()) {
    const std::string option = reader.Peek();
    if (option == "--id") {
      reader.Next();
      const std::vector<std::string> ids = ParseIdList(reader.ValueOf(option));
      if (ids.size() != 1) throw UsageError{"ignore takes one id"};
      parsed.id = ids[0];
    } else if (option.rfind("--", 0) != 0) {
      if (action) throw UsageError{"ignore takes one of list, add or remove, got '" + option + "' too"};
      action = reader.Next();
    } else if (!ReadCommonOption(reader, parsed.options)) {
      throw UsageError{"unknown option " + option};
    }
  }
  if (!action) throw UsageError{"ignore needs one of list, add or remove"};
  bool known = false;
  for (const auto& candidate : kActions) {
    if (*action != candidate.word) continue;
    parsed.action = candidate.action;
    known = true;
  }
  if (!known) throw UsageError{"ignore needs one of list, add or remove, got '" + *action + "'"};
  if (parsed.action == IgnoreAction::kList && parsed.id) {
    throw UsageError{"ignore list takes no --id"};
  }
  if (parsed.action != IgnoreAction::kList && !parsed.id) {
    throw UsageError{"ignore " + *action + " needs --id ID"};
  }
  // Only adding scans.
  if (parsed.action != IgnoreAction::kAdd && parsed.options.scanTypesGiven) {
    throw UsageError{"ignore " + *action + " takes no --types"};
  }
  return parsed;
}

std::string EntryJson(const IgnoredEntry& entry) {
  return "{\"id\": \"" + IgnoredEntryId(entry) + "\", \"scanType\": " +
         std::to_string(entry.scanType) + ", \"path\": " + JsonString(entry.path) +
         ", \"valueName\": " + JsonString(entry.valueName) + "}";
}

std::string EntryLine(const IgnoredEntry& entry) {
  std::string line = IgnoredEntryId(entry) + "  " + ScanTypeNames(entry.scanType) + "  " +
                     ToUtf8(entry.path);
  if (!entry.valueName.empty()) line += "  [" + ToUtf8(entry.valueName) + "]";
  return line + "\n";
}

// Writes the list back, creating the data folder when the program has not made it yet.
bool SaveList(Session& session) {
  const std::u16string file = session.IgnoreListFile();
  session.Platform().files.CreateFolders(FileFolder(file));
  if (session.Ignored().Save()) return true;
  PrintError("ovalin-rc: cannot write " + ToUtf8(file) + "\n");
  return false;
}

int ListEntries(Session& session, bool json) {
  const std::vector<IgnoredEntry>& entries = session.Ignored().Entries();
  if (json) {
    std::string out = "{\"file\": " + JsonString(session.IgnoreListFile()) + ", \"entries\": [";
    for (std::size_t i = 0; i < entries.size(); ++i) {
      out += (i == 0 ? "\n    " : ",\n    ") + EntryJson(entries[i]);
    }
    Print(out + (entries.empty() ? "]}\n" : "\n  ]}\n"));
    return kExitOk;
  }
  if (!entries.empty()) Print("id                scan type  key  [value name]\n");
  for (const IgnoredEntry& entry : entries) Print(EntryLine(entry));
  Print(std::to_string(entries.size()) + " ignored entries in " +
        ToUtf8(session.IgnoreListFile()) + "\n");
  return kExitOk;
}

// The change an add or remove made, as one line or one JSON document.
void PrintChange(const char* member, const char* words, const IgnoredEntry& entry,
                 bool changed, bool json) {
  if (json) {
    Print(std::string("{\"") + member + "\": " + EntryJson(entry) +
          ", \"changed\": " + (changed ? "true" : "false") + "}\n");
  } else {
    Print(std::string(changed ? words : "already ignored: ") + EntryLine(entry));
  }
}

int AddEntry(Session& session, const IgnoreArguments& parsed) {
  WarnWhenNotElevated(session);
  // The fresh scan judges every entry, so that one on the list already is found too.
  TRCRegCleaner& cleaner = session.Cleaner();
  cleaner.SetIgnoreList(nullptr);
  const ScanSummary summary = RunScan(session, parsed.options.scanTypes, !parsed.options.json);
  if (!summary.started) {
    PrintError("ovalin-rc: the scan could not start\n");
    return kExitFailed;
  }
  const TRCScannedItem* found = nullptr;
  for (const auto& item : cleaner.ScannedItems()) {
    if (FindingId(*item) == *parsed.id) {
      found = item.get();
      break;
    }
  }
  if (found == nullptr) throw UsageError{"no finding of this scan has the id " + *parsed.id};
  const IgnoredEntry entry{ScanTypeOf(found->ScannedCode), found->Path, found->ValueName};
  IgnoreList& list = session.Ignored();
  if (list.Contains(entry.scanType, entry.path, entry.valueName)) {
    PrintChange("added", "ignored: ", entry, false, parsed.options.json);
    return kExitOk;
  }
  if (!list.Add(entry)) {
    PrintError("ovalin-rc: the entry cannot be stored in the list (a line break in its name)\n");
    return kExitFailed;
  }
  if (!SaveList(session)) return kExitFailed;
  PrintChange("added", "ignored: ", entry, true, parsed.options.json);
  return kExitOk;
}

int RemoveEntry(Session& session, const IgnoreArguments& parsed) {
  IgnoreList& list = session.Ignored();
  std::optional<IgnoredEntry> entry;
  for (const IgnoredEntry& candidate : list.Entries()) {
    if (IgnoredEntryId(candidate) == *parsed.id) entry = candidate;
  }
  if (!entry) throw UsageError{"no ignored entry has the id " + *parsed.id};
  list.Remove(*entry);
  if (!SaveList(session)) return kExitFailed;
  PrintChange("removed", "no longer ignored: ", *entry, true, parsed.options.json);
  return kExitOk;
}

}  // namespace

int RunIgnoreCommand(const std::vector<std::string>& arguments) {
  const IgnoreArguments parsed = ReadIgnoreArguments(arguments);
  Session session(parsed.options);
  int status = kExitOk;
  switch (parsed.action) {
    case IgnoreAction::kList:
      status = ListEntries(session, parsed.options.json);
      break;
    case IgnoreAction::kAdd:
      status = AddEntry(session, parsed);
      break;
    case IgnoreAction::kRemove:
      status = RemoveEntry(session, parsed);
      break;
  }
  return Finish(session, status);
}

}  // namespace ovalin::cli
