// Startup items: the programs started for every user at logon (HKLM ... Run).
#include <string>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

void ScanStartup(TRCRegCleaner& cleaner, int start, int span) {
  RegAccess run(cleaner.Platform().registry);
  if (!OpenRootKey(run, platform::kLocalMachine,
                   u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run")) {
    return;
  }
  const std::u16string path = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::vector<std::u16string> names = run.GetValueNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = names[i];
    if (name.empty()) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    std::u16string text;
    try {
      if (!IsStringClass(run.GetDataType(name))) continue;
      text = ExpandEnvVars(cleaner.Platform().system, run.ReadString(name));
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    auto item = MakeRecord(stStartup, name, path, name, text);
    if (text.empty()) {
      item->ScannedCode = stStartup | mtDeleteValue | ecNullStartupItems;
    } else if (!IsValidPath(cleaner.Platform().files, text)) {
      item->ScannedCode = stStartup | mtDeleteValue | ecInvalidStartupItems;
    }
    cleaner.AddFinding(std::move(item), percent);
  }
}

}  // namespace ovalin
