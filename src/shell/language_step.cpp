#include "shell/language_step.h"

#include <exception>

namespace ovalin {
namespace {

constexpr std::uint32_t kBegin = 0x10031003;
constexpr std::uint32_t kEnd = 0x10032003;
constexpr std::uint32_t kLanguageError = 0x80030040;

// The language to start in: the configured one; on a first start (no language in
// "Config.ini") the system's own when a pack speaks it, so that a German Windows starts
// in German, and the built-in English otherwise.
std::int32_t WantedLanguageID(const TAppConfigs& configs, const TAppMultiLangs& multiLangs) {
  const std::uint16_t local = multiLangs.GetLocalLanguageID();
  if (!configs.LanguageIDConfigured() && multiLangs.IndexOfLanguageID(local) >= 0) return local;
  return configs.LanguageID();
}

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
    multiLangs.SetCurrentLanguageID(WantedLanguageID(configs, multiLangs));
    if (multiLangs.Count() > 0 && multiLangs.Index() < 0) {
      // An ID of 0 or less selects nothing when the system's language is the first
      // pack's; a program that has packs still starts, in the system's language or
      // else in the first pack.
      const int local = multiLangs.IndexOfLanguageID(multiLangs.GetLocalLanguageID());
      multiLangs.SetIndex(local >= 0 ? local : 0);
    }
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
