// Process services over kernel32 and shell32.
#pragma once

#include "platform/system_services.h"

namespace ovalin::platform::win32 {

class Win32System : public SystemServices {
 public:
  bool ExpandEnvironment(std::u16string_view text, std::u16string* result) override;
  std::u16string SpecialFolder(int csidl) override;
  std::u16string ModulePath() override;
  bool ShellOpen(std::u16string_view file, std::u16string_view parameters,
                 int showCommand) override;
  std::uint16_t ThreadLanguageID() override;
  // TokenElevation of the process token; false when it cannot be read.
  bool IsElevated() override;
};

}  // namespace ovalin::platform::win32
