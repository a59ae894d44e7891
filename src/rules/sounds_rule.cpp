// Sounds: the sound file of every scheme of every event of the user's sound schemes.
#include <string>
#include <string_view>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

namespace {

// The display label of an event, empty when it has none.
std::u16string GetEventLabel(platform::Registry& registry, const std::u16string& eventName) {
  RegAccess label(registry);
  std::u16string text;
  if (OpenRootKey(label, platform::kCurrentUser, u"AppEvents\\EventLabels\\" + eventName)) {
    ReadStringValue(label, u"", &text);
  }
  return text;
}

}  // namespace

void ScanSounds(TRCRegCleaner& cleaner, int start, int span) {
  platform::Registry& registry = cleaner.Platform().registry;
  RegAccess apps(registry);
  if (!OpenRootKey(apps, platform::kCurrentUser, u"AppEvents\\Schemes\\Apps")) return;
  const std::vector<std::u16string> appNames = apps.GetKeyNames();
  const long long n = static_cast<long long>(appNames.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::u16string& app = appNames[i];
    RegAccess appKey(registry);
    if (!OpenSubKey(appKey, apps, app)) continue;
    for (const std::u16string& event : appKey.GetKeyNames()) {
      if (StopRequested(cleaner)) break;
      RegAccess eventKey(registry);
      if (!OpenSubKey(eventKey, appKey, event)) continue;
      const std::vector<std::u16string> schemes = eventKey.GetKeyNames();
      if (schemes.empty()) continue;
      const std::u16string label = GetEventLabel(registry, event);
      for (const std::u16string& scheme : schemes) {
        RegAccess schemeKey(registry);
        std::u16string text;
        if (!OpenSubKey(schemeKey, eventKey, scheme) || !ReadStringValue(schemeKey, u"", &text)) {
          continue;
        }
        text = cleaner.Paths().Expand(text, RegView::kNative);
        auto item = MakeRecord(stSounds, label,
                               u"HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\" + app + u"\\" +
                                   event + u"\\" + scheme,
                               u"", text);
        if (!text.empty() && PathIsMissing(cleaner.Paths(), text, RegView::kNative)) {
          item->ScannedCode = stSounds | mtDeleteValue | ecInvalidSounds;
          item->Reason = {ReasonKind::kFileNotFound, text};
        }
        cleaner.AddFinding(std::move(item), percent);
      }
    }
  }
}

}  // namespace ovalin
