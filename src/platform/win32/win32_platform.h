// The real platform: advapi32, kernel32 and shell32.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace ovalin::platform::win32 {

std::unique_ptr<PlatformServices> CreateWin32Platform();

}  // namespace ovalin::platform::win32
