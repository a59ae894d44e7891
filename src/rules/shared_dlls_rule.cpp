// Shared DLLs: value name = a library's full path (tested as it stands), data = its
// reference count (not read). Each view keeps its own list; the 32-bit one names the
// libraries of 32-bit programs, judged with the folders those programs see.
#include <string>
#include <vector>

#include "rules/scan_rules.h"
#include "rules/shared_checks.h"

namespace ovalin {

void ScanSharedDlls(TRCRegCleaner& cleaner, int start, int span) {
  const std::vector<ViewKey> lists = OpenInEachView(
      cleaner.Platform().registry, u"Microsoft\\Windows\\CurrentVersion\\SharedDlls");
  const int views = static_cast<int>(lists.size());
  for (int v = 0; v < views; ++v) {
    const ViewKey& list = lists[v];
    const int viewStart = start + span * v / views;
    const int viewSpan = span / views;
    const std::vector<std::u16string> names = list.key->GetValueNames();
    const long long n = static_cast<long long>(names.size());
    for (long long i = 0; i < n; ++i) {
      if (StopRequested(cleaner)) return;
      const std::u16string& name = names[i];
      if (name.empty()) continue;
      const int percent = ProgressPercent(viewStart, viewSpan, i + 1, n);
      const bool broken = ProvedNotFile(cleaner.Paths(), name, list.view);
      const std::uint32_t code =
          broken ? (stSharedDlls | mtDeleteValue | ecInvalidDllFiles) : stSharedDlls;
      cleaner.AddFinding(WithReason(MakeRecord(code, u"SharedDlls", list.path, name),
                                    ReasonKind::kFileNotFound, name),
                         percent);
    }
  }
}

}  // namespace ovalin
