// A window that takes its texts and fonts from the current language.
#pragma once

namespace ovalin::windows {

class LocalisedWindow {
 public:
  virtual ~LocalisedWindow() = default;
  virtual void RefreshMultiLangs() = 0;
};

}  // namespace ovalin::windows
