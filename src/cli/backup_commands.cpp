// The verbs "backups", "restore" and "delete".
#include "cli/backup_commands.h"

#include <cstdio>

#include "cli/backup_selection.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/session.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

namespace {

std::string IsoTime(const TRCRescueItem& item) {
  platform::CalendarTime time;
  const platform::FileTime local = item.DateTime();
  if (local == 0 || !platform::FileTimeToCalendar(local, &time)) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month,
                time.day, time.hour, time.minute, time.second);
  return text;
}

std::uint64_t DataFileSize(TRCRegCleaner& cleaner, const TRCRescueItem& item) {
  std::uint64_t size = 0;
  if (!FileSizeOf(cleaner.Platform().files, cleaner.RescueDir() + item.BackupFile, &size)) {
    return 0;
  }
  return size;
}

}  // namespace

std::string RescueSetJson(TRCRegCleaner& cleaner, const TRCRescueItem& item) {
  return "{\"section\": " + JsonString(item.SectionName) + ", \"time\": \"" + IsoTime(item) +
         "\", \"description\": " + JsonString(item.Description) +
         ", \"count\": " + std::to_string(item.DetailCount) +
         ", \"restored\": " + (item.IsRescued ? "true" : "false") +
         ", \"file\": " + JsonString(cleaner.RescueDir() + item.BackupFile) +
         ", \"size\": " + std::to_string(DataFileSize(cleaner, item)) + "}";
}

std::string RescueSetLine(TRCRegCleaner& cleaner, const TRCRescueItem& item) {
  return ToUtf8(item.SectionName) + "  " + std::to_string(item.DetailCount) + " findings  " +
         (item.IsRescued ? "restored" : "not restored") + "  " +
         ToUtf8(cleaner.RescueDir() + item.BackupFile) + " (" +
         std::to_string(DataFileSize(cleaner, item)) + " bytes)" +
         (item.Description.empty() ? "" : "  \"" + ToUtf8(item.Description) + "\"") + "\n";
}

int RunBackupsCommand(const std::vector<std::string>& arguments) {
  const CommonOptions options = ReadOptions(arguments, [](ArgumentReader&) { return false; });
  Session session(options);
  TRCRegCleaner& cleaner = session.Cleaner();
  cleaner.UpdateRescueList();
  if (options.json) {
    std::string out = "{\"folder\": " + JsonString(cleaner.RescueDir()) + ", \"sets\": [";
    for (int i = 0; i < cleaner.RescueCount(); ++i) {
      out += (i == 0 ? "\n  " : ",\n  ") + RescueSetJson(cleaner, *cleaner.RescueItems(i));
    }
    Print(out + (cleaner.RescueCount() == 0 ? "]}\n" : "\n]}\n"));
  } else {
    for (int i = 0; i < cleaner.RescueCount(); ++i) {
      Print(RescueSetLine(cleaner, *cleaner.RescueItems(i)));
    }
    Print(std::to_string(cleaner.RescueCount()) + " backup sets in " +
          ToUtf8(cleaner.RescueDir()) + "\n");
  }
  return Finish(session, kExitOk);
}

int RunRestoreCommand(const std::vector<std::string>& arguments) {
  std::string section;
  std::string file;
  const CommonOptions options = ReadOptions(arguments, [&](ArgumentReader& reader) {
    if (reader.Peek() == "--section") {
      section = reader.ValueOf(reader.Next());
    } else if (reader.Peek() == "--file") {
      file = reader.ValueOf(reader.Next());
    } else {
      return false;
    }
    return true;
  });
  if (section.empty() == file.empty()) throw UsageError{"restore needs --section NAME or --file PATH"};
  Session session(options);
  if (!RequireElevation(session, "restore")) return kExitFailed;
  TRCRegCleaner& cleaner = session.Cleaner();
  cleaner.UpdateRescueList();
  const std::u16string dataFile = ChosenDataFile(session, section, file);
  std::uint64_t keys = 0;
  std::uint64_t values = 0;
  cleaner.OnRestoring = [&](TRCRegCleaner&, const RestoringEventArgs& args) {
    if (args.path.empty()) return;
    ++(args.valueName.empty() && args.valueData == nullptr && args.valueDataType == 0 &&
               args.valueDataSize == 0
           ? keys
           : values);
  };
  const bool restored = cleaner.RestoreRescue(dataFile);
  if (options.json) {
    Print("{\"file\": " + JsonString(dataFile) + ", \"restored\": " +
          (restored ? "true" : "false") + ", \"keys\": " + std::to_string(keys) +
          ", \"values\": " + std::to_string(values) + "}\n");
  } else {
    Print(std::string(restored ? "restored " : "could not restore all of ") + ToUtf8(dataFile) +
          ": " + std::to_string(values) + " values, " + std::to_string(keys) +
          " keys written\n");
  }
  return Finish(session, restored ? kExitOk : kExitFailed);
}

int RunDeleteCommand(const std::vector<std::string>& arguments) {
  std::string section;
  bool all = false;
  const CommonOptions options = ReadOptions(arguments, [&](ArgumentReader& reader) {
    if (reader.Peek() == "--section") {
      section = reader.ValueOf(reader.Next());
    } else if (reader.Peek() == "--all") {
      reader.Next();
      all = true;
    } else {
      return false;
    }
    return true;
  });
  if (section.empty() == !all) throw UsageError{"delete needs --section NAME or --all"};
  Session session(options);
  if (!RequireElevation(session, "delete")) return kExitFailed;
  TRCRegCleaner& cleaner = session.Cleaner();
  cleaner.UpdateRescueList();
  int deleted = 0;
  int failed = 0;
  auto remove = [&](TRCRescueItem* item) {
    if (cleaner.DeleteRescue(item)) {
      ++deleted;
    } else {
      ++failed;
    }
  };
  if (all) {
    for (int i = 0; i < cleaner.RescueCount(); ++i) remove(cleaner.RescueItems(i));
  } else {
    TRCRescueItem* item = FindSet(cleaner, FromUtf8(section));
    if (item == nullptr) throw UsageError{"no backup set '" + section + "'"};
    remove(item);
  }
  if (options.json) {
    Print("{\"deleted\": " + std::to_string(deleted) + ", \"failed\": " +
          std::to_string(failed) + "}\n");
  } else {
    Print(std::to_string(deleted) + " backup sets deleted" +
          (failed == 0 ? std::string() : ", " + std::to_string(failed) + " could not be") + "\n");
  }
  return Finish(session, failed == 0 ? kExitOk : kExitFailed);
}

}  // namespace ovalin::cli
