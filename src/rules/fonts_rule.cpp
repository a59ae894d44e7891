// Fonts: the installed fonts list; a font file is looked for as named, then in the
// fonts folder.
#include <string>

#include "engine/text_utils.h"
#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

void ScanFonts(TRCRegCleaner& cleaner, int start, int span) {
  PathJudge& judge = cleaner.Paths();
  const std::u16string fontsFolder =
      PathAddBackslash(GetSpecialFolder(cleaner.Platform().system, platform::kCsidlFonts));
  RegAccess fonts(cleaner.Platform().registry);
  if (!OpenRootKey(fonts, platform::kLocalMachine,
                   u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts")) {
    return;
  }
  const std::u16string path =
      u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  const std::vector<std::u16string> names = fonts.GetValueNames();
  const long long n = static_cast<long long>(names.size());
  for (long long i = 0; i < n; ++i) {
    if (StopRequested(cleaner)) return;
    const int percent = ProgressPercent(start, span, i + 1, n);
    const std::u16string& name = names[i];
    std::u16string text;
    try {
      if (!ReadIfString(fonts, name, &text)) continue;
      text = judge.Expand(text, RegView::kNative);
    } catch (const RegistryError&) {
      continue;  // a value that cannot be read is skipped
    }
    // A font is missing only when neither the text as it stands nor the text in the
    // fonts folder can be there.
    const bool broken = ProvedNotFile(judge, text, RegView::kNative) &&
                        ProvedNotFile(judge, fontsFolder + text, RegView::kNative);
    const std::uint32_t code = broken ? (stFonts | mtDeleteValue | ecInvalidFonts) : stFonts;
    cleaner.AddFinding(
        WithReason(MakeRecord(code, name, path, name, text), ReasonKind::kFileNotFound, text),
        percent);
  }
}

}  // namespace ovalin
