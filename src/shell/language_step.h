// The language step of start-up: finds the packs in "Langs\" beside the executable,
// makes the configured one current (on a first start the system's language, when a pack
// speaks it) and stores the language ID that is now in force.
#pragma once

#include "localisation/app_multi_langs.h"
#include "platform/platform.h"
#include "platform/trace.h"
#include "shell/app_configs.h"

namespace ovalin {

// True when a usable pack is current; false when there are no packs or the current
// pack's strings file is missing (start-up then ends quietly).
bool LanguageStep(TAppConfigs& configs, TAppMultiLangs& multiLangs,
                  platform::Platform& platform, platform::TraceSink* trace);

}  // namespace ovalin
