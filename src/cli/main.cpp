// ovalin-rc: the command-line companion of the registry cleaner.
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"

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
};

int Usage(const std::string& problem) {
  if (!problem.empty()) ovalin::cli::PrintError("ovalin-rc: " + problem + "\n");
  ovalin::cli::PrintError(ovalin::cli::UsageText());
  return ovalin::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  ovalin::cli::PrepareStandardStreams();
  if (argc < 2) return Usage("");
  const std::string verb = argv[1];
  if (verb == "--help" || verb == "-h" || verb == "help") {
    ovalin::cli::Print(ovalin::cli::UsageText());
    return ovalin::cli::kExitOk;
  }
  const std::vector<std::string> arguments(argv + 2, argv + argc);
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
