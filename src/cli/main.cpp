// ovalin-rc: the command-line companion of the registry cleaner.
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "engine/text_utils.h"

namespace {

using Runner = int (*)(const std::vector<std::string>&);

struct Verb {
  const char* name;
  Runner run;
};

const Verb kVerbs[] = {
    {"scan", ovalin::cli::RunScanCommand},
    {"clean", ovalin::cli::RunCleanCommand},
    {"backups", ovalin::cli::RunBackupsCommand},
    {"restore", ovalin::cli::RunRestoreCommand},
    {"delete", ovalin::cli::RunDeleteCommand},
    {"export", ovalin::cli::RunExportCommand},
    {"ignore", ovalin::cli::RunIgnoreCommand},
};

int Usage(const std::string& problem) {
  if (!problem.empty()) ovalin::cli::PrintError("ovalin-rc: " + problem + "\n");
  ovalin::cli::PrintError(ovalin::cli::UsageText());
  return ovalin::cli::kExitUsage;
}

int RunCommandLine(const std::vector<std::string>& commandLine) {
  ovalin::cli::PrepareStandardStreams();
  if (commandLine.empty()) return Usage("");
  const std::string& verb = commandLine[0];
  if (verb == "--help" || verb == "-h" || verb == "help") {
    ovalin::cli::Print(ovalin::cli::UsageText());
    return ovalin::cli::kExitOk;
  }
  const std::vector<std::string> arguments(commandLine.begin() + 1, commandLine.end());
  for (const Verb& candidate : kVerbs) {
    if (verb != candidate.name) continue;
    try {
      return candidate.run(arguments);
    } catch (const ovalin::cli::UsageError& error) {
      return Usage(error.message);
    } catch (const std::exception& error) {
      ovalin::cli::PrintError(std::string("ovalin-rc: ") + error.what() + "\n");
      return ovalin::cli::kExitFailed;
    }
  }
  return Usage("unknown command '" + verb + "'");
}

}  // namespace

#ifdef _WIN32
// The wide entry point, so that paths and descriptions outside the ANSI code page
// arrive whole; they are handed on as UTF-8.
int wmain(int argc, wchar_t** argv) {
  static_assert(sizeof(wchar_t) == 2, "UTF-16 wchar_t expected");
  std::vector<std::string> commandLine;
  for (int i = 1; i < argc; ++i) {
    commandLine.push_back(ovalin::ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
  }
  return RunCommandLine(commandLine);
}
#else
int main(int argc, char** argv) {
  return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
