// Startup items: the programs started at logon from the Run lists: the machine's (in
// each view) and the user's own.
#include <string>
#include <vector>

#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

constexpr std::u16string_view kRunKey = u"Microsoft\\Windows\\CurrentVersion\\Run";

void ScanRunList(TRCRegCleaner& cleaner, RegAccess& run, const std::u16string& path,
                 int start, int span) {
  PathJudge& judge = cleaner.Paths();
  const RegView view = ViewOfKeyPath(path);
  const std::vector<std::u16string> names = run.GetValueNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const std::u16string& name = names[i];
    if (name.empty()) continue;
    const int percent = ProgressPercent(start, span, i + 1, n);
    std::u16string text;
    try {
      if (!ReadIfString(run, name, &text)) continue;
      text = judge.Expand(text, view);
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    auto item = MakeRecord(stStartup, name, path, name, text);
    if (text.empty()) {
      item->ScannedCode = stStartup | mtDeleteValue | ecNullStartupItems;
      item->Reason = {ReasonKind::kEmptyValue, {}};
    } else if (PathIsMissing(judge, text, view)) {
      item->ScannedCode = stStartup | mtDeleteValue | ecInvalidStartupItems;
      item->Reason = {ReasonKind::kFileNotFound, text};
    }
    cleaner.AddFinding(std::move(item), percent);
  }
}

}  // namespace

void ScanStartup(TRCRegCleaner& cleaner, int start, int span) {
  std::vector<ViewKey> lists = OpenInEachView(cleaner.Platform().registry, kRunKey);
  auto user = std::make_unique<RegAccess>(cleaner.Platform().registry);
  const std::u16string userSubKey = u"Software\\" + std::u16string(kRunKey);
  if (OpenRootKey(*user, platform::kCurrentUser, userSubKey)) {
    lists.push_back(ViewKey{std::move(user), u"HKEY_CURRENT_USER\\" + userSubKey,
                            RegView::kNative});
  }
  const int count = static_cast<int>(lists.size());
  for (int i = 0; i < count; ++i) {
    if (StopRequested(cleaner)) return;
    ScanRunList(cleaner, *lists[i].key, lists[i].path, start + span * i / count, span / count);
  }
}

}  // namespace ovalin
