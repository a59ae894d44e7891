// The backup folder and access to the listed backup sets.
#include "engine/reg_cleaner.h"
#include "engine/text_utils.h"

namespace ovalin {

void TRCRegCleaner::SetRescueDir(const std::u16string& folder) {
  rescueDir_ = PathAddBackslash(folder);
  rescueListFile_ = rescueDir_ + u"ResList.ini";
}

TRCRescueItem* TRCRegCleaner::RescueItems(int index) const {
  if (index < 0 || index >= RescueCount()) return nullptr;
  return rescueList_[static_cast<std::size_t>(index)].get();
}

}  // namespace ovalin
