// Runs the native ovalin-rc as a script would and keeps what it printed and its exit
// status. Each test gets its own work folder with drive C: and a program folder in it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/json_reader.h"

namespace ovalin::testing {

struct CliRun {
  int status = -1;  // the exit status; 128 + n when killed by signal n
  std::string out;
  std::string err;
};

// Called with standard error as read so far; returns a signal to send to the program,
// or 0.
using SignalWhen = std::function<int(const std::string& err)>;

CliRun RunCli(const std::vector<std::string>& arguments, const SignalWhen& signalWhen = {});

class CliTest : public ::testing::Test {
 protected:
  CliTest();
  ~CliTest() override;

  // The host folder of drive C: and of the program folder C:\Ovalin.
  const std::filesystem::path& Drive() const { return drive_; }
  std::filesystem::path HostPath(const std::string& relative) const { return work_ / relative; }
  // Writes a host file below the work folder and returns its path.
  std::string WriteFile(const std::string& relative, const std::string& content) const;
  std::string ReadFile(const std::string& path) const;

  // Runs a verb on the substitute: drive C:, program folder C:\Ovalin, the .reg files
  // given (loaded in order), then the extra arguments.
  CliRun Run(const std::string& verb, const std::vector<std::string>& regFiles,
             const std::vector<std::string>& extra, const SignalWhen& signalWhen = {});

  // Parses JSON output; fails the test when it is not JSON.
  cli::JsonValue Json(const std::string& text);

 private:
  std::filesystem::path work_;
  std::filesystem::path drive_;
};

// "Windows Registry Editor Version 5.00" text with the SharedDLLs key holding `count`
// values named after missing files C:\missing\libN.dll.
std::string SharedDllsSeed(int count);
extern const char kSharedDllsKey[];

}  // namespace ovalin::testing
