#include "cli/backup_selection.h"

#include "cli/full_path.h"
#include "cli/output.h"
#include "engine/rescue_names.h"
#include "engine/text_utils.h"

namespace ovalin::cli {

TRCRescueItem* FindSet(TRCRegCleaner& cleaner, std::u16string_view section) {
  for (int i = 0; i < cleaner.RescueCount(); ++i) {
    if (StrSameText(cleaner.RescueItems(i)->SectionName, section)) return cleaner.RescueItems(i);
  }
  return nullptr;
}

std::u16string ChosenDataFile(Session& session, const std::string& section,
                              const std::string& file) {
  TRCRegCleaner& cleaner = session.Cleaner();
  if (!section.empty()) {
    const TRCRescueItem* item = FindSet(cleaner, FromUtf8(section));
    if (item == nullptr) throw UsageError{"no backup set '" + section + "'"};
    return cleaner.RescueDir() + item->BackupFile;
  }
  const std::u16string dataFile = FullPath(FromUtf8(file));
  if (session.Platform().files.Probe(dataFile) != platform::PathKind::kFile) {
    throw UsageError{"no such file " + file};
  }
  for (int i = 0; i < cleaner.RescueCount(); ++i) {
    const std::u16string listed = cleaner.RescueDir() + cleaner.RescueItems(i)->BackupFile;
    if (SameWindowsPath(listed, dataFile)) return listed;
  }
  return dataFile;
}

}  // namespace ovalin::cli
