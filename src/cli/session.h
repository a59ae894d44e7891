// The platform, registry and cleaner one run of ovalin-rc works on.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/counting_registry.h"
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
};

// For the verbs that change the registry or the backups: without administrator rights
// they print why they do not run and return false.
bool RequireElevation(Session& session, const std::string& verb);

}  // namespace ovalin::cli
