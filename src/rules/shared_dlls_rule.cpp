// Shared DLLs: value name = a library's full path (tested as it stands), data = its
// reference count (not read).
#include <string>

#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

void ScanSharedDlls(TRCRegCleaner& cleaner, int start, int span) {
  RegAccess dlls(cleaner.Platform().registry);
  if (!OpenRootKey(dlls, platform::kLocalMachine,
                   u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls")) {
    return;
  }
  const std::u16string path =
      u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
  const std::vector<std::u16string> names = dlls.GetValueNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = names[i];
    if (name.empty()) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const bool fine = cleaner.Platform().files.Probe(name) == platform::PathKind::kFile;
    const std::uint32_t code =
        fine ? stSharedDlls : (stSharedDlls | mtDeleteValue | ecInvalidDllFiles);
    cleaner.AddFinding(MakeRecord(code, u"SharedDlls", path, name), percent);
  }
}

}  // namespace ovalin
