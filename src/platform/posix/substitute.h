// The substitute platform used off Windows: an in-memory registry with Windows
// semantics, drive letters mapped onto host folders, and environment, special folders,
// module path and time zone taken from tables given here (never from the host).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace ovalin::platform::posix {

struct SubstituteConfig {
  // Drive letter (upper case) -> host folder. "C" -> "/tmp/x/drive_c".
  std::map<char16_t, std::string> drives;
  // Environment variables for %NAME% expansion (names matched without regard to case).
  std::map<std::u16string, std::u16string> environment;
  // CSIDL number -> Windows path (without trailing backslash).
  std::map<int, std::u16string> specialFolders;
  // Windows path of the running program ("C:\Program Files\Ovalin\ovalin-rc.exe").
  std::u16string modulePath = u"C:\\Ovalin\\ovalin-rc.exe";
  // Windows path of the current folder, for relative paths.
  std::u16string currentFolder = u"C:\\";
  // Local time = UTC + this many minutes (no daylight saving).
  int utcOffsetMinutes = 0;
  // The language of the thread's locale (1033: English, United States).
  std::uint16_t threadLanguageID = 1033;
  // Whether the process counts as running with administrator rights.
  bool elevated = true;
};

class SubstituteRegistry;
class SubstituteFileSystem;

// Owns a complete substitute platform.
class SubstitutePlatform : public PlatformServices {
 public:
  explicit SubstitutePlatform(SubstituteConfig config);
  ~SubstitutePlatform() override;
  Platform& Get() override;
  SubstituteRegistry& Registry();
  SubstituteFileSystem& Files();
  // The host path a Windows path maps to (components matched without regard to case;
  // missing components keep their spelling). Empty when the drive is not mapped.
  std::string HostPath(std::u16string_view windowsPath) const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace ovalin::platform::posix
