// The platform, registry and cleaner one run of ovalin-rc works on.
#pragma once

#include <memory>

#include "cli/command_line.h"
#include "engine/reg_cleaner.h"
#include "platform/platform.h"

namespace ovalin::cli {

class Session {
 public:
  // Throws UsageError when the options cannot be applied (a .reg file that does not
  // load, a drive that is not a folder).
  explicit Session(const CommonOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  platform::Platform& Platform() { return services_->Get(); }
  TRCRegCleaner& Cleaner() { return *cleaner_; }
  // Writes the substitute registry to the --save-reg file, if one was given.
  bool SaveRegistry(std::string* error);

 private:
  CommonOptions options_;
  std::unique_ptr<platform::PlatformServices> services_;
  std::unique_ptr<TRCRegCleaner> cleaner_;
};

}  // namespace ovalin::cli
