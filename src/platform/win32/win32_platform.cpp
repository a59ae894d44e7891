// Assembles the Win32 services into one platform.
#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_profiles.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"

namespace ovalin::platform::win32 {
namespace {

class Win32Platform : public PlatformServices {
 public:
  Win32Platform() : view_{registry_, files_, profiles_, system_, clock_, messages_} {}
  Platform& Get() override { return view_; }

 private:
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32Profiles profiles_;
  Win32System system_;
  Win32Clock clock_;
  Win32MessagePump messages_;
  Platform view_;
};

}  // namespace

std::unique_ptr<PlatformServices> CreateWin32Platform() {
  return std::make_unique<Win32Platform>();
}

}  // namespace ovalin::platform::win32
