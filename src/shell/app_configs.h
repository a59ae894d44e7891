// TAppConfigs: the application-wide paths and the settings that belong to the
// application rather than to a scan, stored in "Config.ini" beside the executable
// ("General": Version, LanguageID; "RegstrClnr": AutoUpdate, LastRunTime).
#pragma once

#include <cstdint>
#include <string>

#include "localisation/language_settings.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/trace.h"

namespace ovalin {

class TAppConfigs : public LanguageSettings {
 public:
  // Fills the built-in values; touches no file.
  explicit TAppConfigs(platform::Platform& platform, platform::TraceSink* trace = nullptr);
  TAppConfigs(const TAppConfigs&) = delete;
  TAppConfigs& operator=(const TAppConfigs&) = delete;

  // Reads the four keys when "Config.ini" exists; values that are missing or do not
  // convert keep the present value.
  void Load();
  // Writes the four keys; false when a write failed (the file may be read-only).
  bool Save();

  const std::u16string& BasePath() const { return FBasePath; }
  const std::u16string& DataPath() const { return FDataPath; }
  const std::u16string& ConfigFile() const { return FConfigFile; }
  const std::u16string& ApplicationTitle() const { return FApplicationTitle; }
  const std::u16string& ApplicationTitleDup() const override { return FApplicationTitleDup; }
  const std::u16string& VersionString() const { return FVersionString; }
  std::uint16_t LanguageID() const { return FLanguageID; }
  // True once a language was chosen: read from "Config.ini" by Load or assigned by
  // SetLanguageID. False on a first start, when LanguageID is only the built-in value.
  bool LanguageIDConfigured() const { return languageIDConfigured_; }
  bool AutoUpdate() const { return FAutoUpdate; }
  platform::FileTime LastRunTime() const { return FLastRunTime; }

  void SetApplicationTitle(std::u16string title) override { FApplicationTitle = std::move(title); }
  // Stores the ID and writes "General"/"LanguageID" at once, creating the folder of the
  // configuration file first when it is missing. False when the write failed.
  bool SetLanguageID(std::uint16_t id) override;

 private:
  platform::Platform& platform_;
  platform::TraceSink* trace_;

  std::u16string FBasePath;
  std::u16string FDataPath;
  std::u16string FConfigFile;
  std::u16string FApplicationTitle = u"Ovalin Registry Cleaner";
  std::u16string FApplicationTitleDup = u"Ovalin Registry Cleaner";
  std::u16string FVersionString = u"1.5.1.1";
  std::uint16_t FLanguageID = 1033;
  bool FAutoUpdate = true;
  platform::FileTime FLastRunTime = 0;
  bool languageIDConfigured_ = false;
};

}  // namespace ovalin
