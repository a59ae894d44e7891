// Assembles the substitute services into one platform.
#include <utility>

#include "platform/posix/substitute.h"
#include "platform/posix/substitute_clock.h"
#include "platform/posix/substitute_files.h"
#include "platform/posix/substitute_profiles.h"
#include "platform/posix/substitute_registry.h"
#include "platform/posix/substitute_system.h"

namespace ovalin::platform::posix {

struct SubstitutePlatform::Parts {
  explicit Parts(SubstituteConfig config)
      : files(std::move(config.drives), config.currentFolder),
        profiles(files),
        system(std::move(config.environment), std::move(config.specialFolders),
               std::move(config.modulePath), config.threadLanguageID),
        clock(config.utcOffsetMinutes),
        view{registry, files, profiles, system, clock, messages} {
    system.SetElevated(config.elevated);
  }

  SubstituteRegistry registry;
  SubstituteFileSystem files;
  SubstituteProfiles profiles;
  SubstituteSystem system;
  SubstituteClock clock;
  NoMessagePump messages;
  Platform view;
};

SubstitutePlatform::SubstitutePlatform(SubstituteConfig config)
    : parts_(std::make_unique<Parts>(std::move(config))) {}

SubstitutePlatform::~SubstitutePlatform() = default;

Platform& SubstitutePlatform::Get() { return parts_->view; }

SubstituteRegistry& SubstitutePlatform::Registry() { return parts_->registry; }
SubstituteFileSystem& SubstitutePlatform::Files() { return parts_->files; }

std::string SubstitutePlatform::HostPath(std::u16string_view windowsPath) const {
  return parts_->files.HostPath(windowsPath);
}

}  // namespace ovalin::platform::posix
