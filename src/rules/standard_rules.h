// The run-order table of the eleven scan rules, for TRCRegCleaner's constructor.
#pragma once

#include <vector>

#include "engine/reg_cleaner.h"

namespace ovalin {

std::vector<ScanRuleEntry> StandardScanRules();

}  // namespace ovalin
