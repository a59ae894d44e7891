// The bundle of operating-system services that the portable layers are given.
#pragma once

#include <memory>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/file_system.h"
#include "platform/profile_files.h"
#include "platform/registry.h"
#include "platform/system_services.h"

namespace ovalin::platform {

// Non-owning view of the services; whoever built them keeps them alive.
struct Platform {
  Registry& registry;
  FileSystem& files;
  ProfileFiles& profiles;
  SystemServices& system;
  Clock& clock;
  MessagePump& messages;
};

// Owns one set of services and hands out the view.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;
  virtual Platform& Get() = 0;
};

}  // namespace ovalin::platform
