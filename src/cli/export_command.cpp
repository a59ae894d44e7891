// The verb "export": a backup set as a regedit file that imports to the state a restore
// of the set gives.
#include "cli/backup_selection.h"
#include "cli/commands.h"
#include "cli/host_files.h"
#include "cli/output.h"
#include "engine/rescue_export.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

int RunExportCommand(const std::vector<std::string>& arguments) {
  std::string section;
  std::string file;
  std::string out;
  const CommonOptions options = ReadOptions(arguments, [&](ArgumentReader& reader) {
    if (reader.Peek() == "--section") {
      section = reader.ValueOf(reader.Next());
    } else if (reader.Peek() == "--file") {
      file = reader.ValueOf(reader.Next());
    } else if (reader.Peek() == "--out") {
      out = reader.ValueOf(reader.Next());
    } else {
      return false;
    }
    return true;
  });
  if (section.empty() == file.empty()) {
    throw UsageError{"export needs --section NAME or --file PATH"};
  }
  if (options.json && out.empty()) throw UsageError{"export --json needs --out FILE.reg"};
  Session session(options);
  session.Cleaner().UpdateRescueList();
  const std::u16string dataFile = ChosenDataFile(session, section, file);
  std::string regText;
  std::u16string error;
  if (!RescueAsRegText(session.Platform().files, dataFile, &regText, &error)) {
    PrintError("ovalin-rc: " + ToUtf8(error) + "\n");
    return Finish(session, kExitFailed);
  }
  if (out.empty()) {
    Print(regText);
    return Finish(session, kExitOk);
  }
  if (!WriteHostFile(out, regText)) {
    PrintError("ovalin-rc: cannot write " + out + "\n");
    return Finish(session, kExitFailed);
  }
  if (options.json) {
    Print("{\"file\": " + JsonString(dataFile) + ", \"out\": " + JsonString(FromUtf8(out)) +
          ", \"bytes\": " + std::to_string(regText.size()) + "}\n");
  } else {
    Print("wrote " + out + " from " + ToUtf8(dataFile) + "\n");
  }
  return Finish(session, kExitOk);
}

}  // namespace ovalin::cli
