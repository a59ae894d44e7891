// Judges the file paths that registry entries name, for one scan at a time.
//
// A path is proved missing only when the system says "file or path not found" on a
// fixed volume that is there now. UNC and device paths (two leading backslashes) are
// never probed: an unreachable server could hold the scan for tens of seconds. Removable,
// network and optical drives and drive letters that name nothing are "cannot tell". The
// kind of each drive is asked once per scan, and each path once.
//
// On 64-bit Windows an entry below a WOW6432Node key was written by a 32-bit program and
// is judged as such a program sees the disk: System32 means SysWOW64, and
// %ProgramFiles% and %CommonProgramFiles% mean the "(x86)" folders.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/scan_answers.h"
#include "platform/file_system.h"
#include "platform/system_services.h"

namespace ovalin {

enum class RegView { kNative, kWow32 };

// The view of the programs that wrote the entries at a full registry path: the 32-bit
// one when a key of the path is called WOW6432Node.
RegView ViewOfKeyPath(std::u16string_view fullKeyPath);

class PathJudge {
 public:
  PathJudge(platform::FileSystem& files, platform::SystemServices& system);

  // Forgets what earlier checks learned: files and drives come and go between scans.
  void Reset();

  // What can be proved about a path (expanded already) in the given view.
  platform::PathState Examine(std::u16string_view path, RegView view);

  // Environment references expanded as the programs of the view see them.
  std::u16string Expand(std::u16string_view text, RegView view);

  // The path as the programs of the view reach it (System32 of a 32-bit entry is
  // SysWOW64); unchanged on a 32-bit Windows and in the native view.
  std::u16string MapToView(std::u16string_view path, RegView view);

 private:
  struct SystemFolders {
    std::u16string system;     // "C:\Windows\System32\" (with the backslash)
    std::u16string systemX86;  // "C:\Windows\SysWOW64\", empty without a 32-bit view
    std::u16string sysnative;  // "C:\Windows\Sysnative\"
    bool x86Variables = false; // %ProgramFiles(x86)% is set
  };
  const SystemFolders& Folders();
  platform::DriveKind KindOf(char16_t letter);

  platform::FileSystem& files_;
  platform::SystemServices& system_;
  std::array<std::optional<platform::DriveKind>, 26> drives_{};
  std::optional<SystemFolders> folders_;
  ScanAnswers<platform::PathState> answers_;
};

}  // namespace ovalin
