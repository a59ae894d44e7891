// TZUNOptions: the scan options kept from one run to the next (the selected scan types
// and the times and item counts of the last scan and clean), stored in
// "<data folder>ZUNOptions.xml" as UTF-16 XML.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/trace.h"

namespace ovalin {

class TZUNOptions {
 public:
  // dataPath: the data folder, with a trailing backslash.
  TZUNOptions(platform::Platform& platform, std::u16string dataPath,
              platform::TraceSink* trace = nullptr);
  TZUNOptions(const TZUNOptions&) = delete;
  TZUNOptions& operator=(const TZUNOptions&) = delete;

  // True when the file was found and read; properties the file says nothing usable
  // about keep their values.
  bool LoadFromXML();
  // Writes all five properties, replacing the file; creates the data folder if needed.
  bool SaveToXML();

  std::u16string FileName() const { return dataPath_ + u"ZUNOptions.xml"; }

  platform::FileTime RCLastScanTime = 0;
  std::int32_t RCLastScanItems = 0;
  platform::FileTime RCLastCleanTime = 0;
  std::int32_t RCLastCleanItems = 0;
  std::int32_t RCScanTypes = 0;

 private:
  bool ReadDocument(const std::string& bytes);

  platform::Platform& platform_;
  std::u16string dataPath_;
  platform::TraceSink* trace_;
};

// The scan mask the options start with: all eleven scan types.
constexpr std::int32_t kDefaultScanTypes = 0x7ff000;

// The options steps of start-up and shutdown. Each raises its begin and end trace codes;
// an error inside is reported as a trace code and swallowed.
// Creates the options when there are none, selects every scan type and reads the file.
void OptionsStartupStep(std::unique_ptr<TZUNOptions>& options, platform::Platform& platform,
                        const std::u16string& dataPath, platform::TraceSink* trace);
// Writes the file when there are options.
void OptionsSaveStep(TZUNOptions* options, platform::TraceSink* trace);
// Destroys the options.
void OptionsReleaseStep(std::unique_ptr<TZUNOptions>& options, platform::TraceSink* trace);

}  // namespace ovalin
