// Process services: environment expansion, special folders, the module path, the shell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovalin::platform {

// CSIDL numbers the program asks for.
constexpr int kCsidlFavorites = 6;
constexpr int kCsidlRecent = 8;
constexpr int kCsidlStartMenu = 11;
constexpr int kCsidlFonts = 20;
constexpr int kCsidlCommonStartMenu = 22;
constexpr int kCsidlCommonFavorites = 31;

class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // ExpandEnvironmentStringsW: %NAME% replaced where NAME is set; unknown names stay.
  // Returns false when the expansion fails.
  virtual bool ExpandEnvironment(std::u16string_view text, std::u16string* result) = 0;
  // SHGetSpecialFolderPathW: the folder without a trailing backslash, empty when unknown.
  virtual std::u16string SpecialFolder(int csidl) = 0;
  // GetModuleFileNameW of the running program.
  virtual std::u16string ModulePath() = 0;
  // ShellExecuteW with the verb "open"; true when the shell accepted it.
  virtual bool ShellOpen(std::u16string_view file, std::u16string_view parameters,
                         int showCommand) = 0;
  // The language identifier of the calling thread's locale (GetThreadLocale, low 16
  // bits): 1031 on a German Windows, 1033 on an American one.
  virtual std::uint16_t ThreadLanguageID() = 0;
  // Whether the process runs with administrator rights (an elevated token on Windows).
  // Services that model no rights at all (test doubles) answer true.
  virtual bool IsElevated() { return true; }
};

}  // namespace ovalin::platform
