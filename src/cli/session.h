// The platform, registry and cleaner one run of ovalin-rc works on.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/counting_registry.h"
#include "engine/ignore_list.h"
#include "engine/reg_cleaner.h"
#include "platform/platform.h"

namespace ovalin::cli {

class Session {
 public:
  // Throws UsageError when the options cannot be applied (a .reg file that does not
  // load, a drive that is not a folder, a --base folder that does not exist); nothing
  // is created then.
  explicit Session(const CommonOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  platform::Platform& Platform() { return *view_; }
  TRCRegCleaner& Cleaner() { return *cleaner_; }
  // The entries kept out of the findings, loaded from IgnoreListFile(); the cleaner's
  // scans leave them out unless a verb takes the list away from it.
  IgnoreList& Ignored() { return *ignored_; }
  // "Ignored.ini" in the program's data folder ("<program folder>\data\"), the same file
  // the program's window uses.
  std::u16string IgnoreListFile() const { return programFolder_ + u"data\\Ignored.ini"; }
  bool Elevated() { return view_->system.IsElevated(); }
  // Keys the registry refused to open since the session began.
  std::uint64_t KeysNotOpened() const { return registry_->NotOpened(); }
  // Writes the substitute registry to the --save-reg file, if one was given.
  bool SaveRegistry(std::string* error);

 private:
  CommonOptions options_;
  std::unique_ptr<platform::PlatformServices> services_;
  std::unique_ptr<CountingRegistry> registry_;
  std::optional<platform::Platform> view_;
  std::unique_ptr<TRCRegCleaner> cleaner_;
  // The --base folder, or the folder of ovalin-rc.exe; ends in a backslash.
  std::u16string programFolder_;
  std::unique_ptr<IgnoreList> ignored_;
};

// The end of every verb: writes the substitute registry when asked to, and returns the
// status to exit with (a failed write is a failure).
int Finish(Session& session, int status);

// For the verbs that change the registry or the backups: without administrator rights
// they print why they do not run and return false.
bool RequireElevation(Session& session, const std::string& verb);

}  // namespace ovalin::cli
