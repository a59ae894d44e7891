#include "shell/language_step.h"

#include <exception>

namespace ovalin {
namespace {

constexpr std::uint32_t kBegin = 0x10031003;
constexpr std::uint32_t kEnd = 0x10032003;
constexpr std::uint32_t kLanguageError = 0x80030040;

}  // namespace

bool LanguageStep(TAppConfigs& configs, TAppMultiLangs& multiLangs,
                  platform::Platform& platform, platform::TraceSink* trace) {
  platform::TraceScope scope(trace, kBegin, kEnd);
  try {
    const std::u16string langs = configs.BasePath() + u"Langs\\";
    if (platform.files.Probe(langs) != platform::PathKind::kFolder) {
      platform.files.CreateFolders(langs);
    }
    if (!multiLangs.Parse(u"Langs\\")) platform::RaiseTrace(trace, kLanguageError);
    multiLangs.SetCurrentLanguageID(configs.LanguageID());
    // A configuration file that cannot be written is reported but does not keep a
    // usable pack from being used.
    if (!configs.SetLanguageID(static_cast<std::uint16_t>(multiLangs.CurrentLanguageID()))) {
      platform::RaiseTrace(trace, kLanguageError);
    }
    if (multiLangs.Count() == 0) return false;
    const std::u16string stringsFile = multiLangs.CurrentStringResFile();
    return !stringsFile.empty() &&
           platform.files.Probe(stringsFile) == platform::PathKind::kFile;
  } catch (const std::exception&) {
    platform::RaiseTrace(trace, kLanguageError);
    return false;
  }
}

}  // namespace ovalin
