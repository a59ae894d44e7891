// How ovalin-rc shows backup sets, shared by the clean and the backup verbs.
#pragma once

#include <string>

#include "engine/reg_cleaner.h"

namespace ovalin::cli {

// {"section": ..., "time": "2010-03-07T14:05:09", "description": ..., "count": 3,
//  "restored": false, "file": "C:\\...\\x.rss", "size": 1234}
std::string RescueSetJson(TRCRegCleaner& cleaner, const TRCRescueItem& item);
// One readable line.
std::string RescueSetLine(TRCRegCleaner& cleaner, const TRCRescueItem& item);

}  // namespace ovalin::cli
