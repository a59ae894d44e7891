// The verbs of ovalin-rc. Each takes the arguments after the verb and returns the exit
// status; wrong arguments are reported by throwing UsageError.
#pragma once

#include <string>
#include <vector>

namespace ovalin::cli {

int RunScanCommand(const std::vector<std::string>& arguments);
int RunCleanCommand(const std::vector<std::string>& arguments);
int RunBackupsCommand(const std::vector<std::string>& arguments);
int RunRestoreCommand(const std::vector<std::string>& arguments);
int RunDeleteCommand(const std::vector<std::string>& arguments);
int RunExportCommand(const std::vector<std::string>& arguments);
int RunIgnoreCommand(const std::vector<std::string>& arguments);

}  // namespace ovalin::cli
