// What the windows share with the rest of the program: the platform, the configuration,
// the localisation bundle, the scan options, the message boxes and the trace sink. Owned
// by the application; the windows only refer to it.
#pragma once

#include <memory>

#include "controls/message_box.h"
#include "localisation/app_localisation.h"
#include "platform/platform.h"
#include "platform/trace.h"
#include "shell/app_configs.h"
#include "shell/app_options.h"

namespace ovalin {

struct AppServices {
  platform::Platform& platform;
  TAppConfigs& configs;
  AppLocalisation& localisation;
  std::unique_ptr<TZUNOptions>& options;
  const controls::TMessageBoxLibrary* messageBoxes;
  platform::TraceSink* trace;

  TAppStrings& Strings() { return localisation.Strings; }
  TAppFontVars& Fonts() { return localisation.FontVars; }
};

}  // namespace ovalin
