#include "shell/app_configs.h"

#include <optional>

#include "engine/text_utils.h"
#include "localisation/ini_file.h"
#include "localisation/int_text.h"
#include "shell/decimal_text.h"

namespace ovalin {
namespace {

constexpr std::uint32_t kLoadBegin = 0x10021003;
constexpr std::uint32_t kLoadEnd = 0x10022003;
constexpr std::uint32_t kSaveBegin = 0x10021004;
constexpr std::uint32_t kSaveEnd = 0x10022004;

constexpr std::u16string_view kGeneral = u"General";
constexpr std::u16string_view kRegstrClnr = u"RegstrClnr";
// Longer values are cut when read, as the profile functions' buffer would.
constexpr std::size_t kMaxValueLength = 2047;

std::optional<std::u16string> ReadValue(IniFile& ini, std::u16string_view section,
                                        std::u16string_view key) {
  auto value = ini.Read(section, key);
  if (value && value->size() > kMaxValueLength) value->resize(kMaxValueLength);
  return value;
}

std::optional<std::int32_t> ReadInteger(IniFile& ini, std::u16string_view section,
                                        std::u16string_view key) {
  const auto value = ReadValue(ini, section, key);
  return value ? ParseInt32(*value) : std::nullopt;
}

}  // namespace

TAppConfigs::TAppConfigs(platform::Platform& platform, platform::TraceSink* trace)
    : platform_(platform), trace_(trace) {
  FBasePath = AppFolder(platform_.system);
  FDataPath = FBasePath + u"data\\";
  FConfigFile = FBasePath + u"Config.ini";
}

void TAppConfigs::Load() {
  platform::RaiseTrace(trace_, kLoadBegin);
  if (platform_.files.Probe(FConfigFile) != platform::PathKind::kFile) return;
  IniFile ini(platform_.profiles, FConfigFile);
  if (auto version = ReadValue(ini, kGeneral, u"Version")) FVersionString = std::move(*version);
  if (auto id = ReadInteger(ini, kGeneral, u"LanguageID")) {
    FLanguageID = static_cast<std::uint16_t>(static_cast<std::uint32_t>(*id) & 0xFFFF);
    languageIDConfigured_ = true;
  }
  if (auto autoUpdate = ReadInteger(ini, kRegstrClnr, u"AutoUpdate")) FAutoUpdate = *autoUpdate != 0;
  if (auto lastRun = ReadValue(ini, kRegstrClnr, u"LastRunTime"); lastRun && !lastRun->empty()) {
    if (auto time = ParseInt64(*lastRun)) FLastRunTime = static_cast<platform::FileTime>(*time);
  }
  platform::RaiseTrace(trace_, kLoadEnd);
}

bool TAppConfigs::Save() {
  platform::TraceScope scope(trace_, kSaveBegin, kSaveEnd);
  IniFile ini(platform_.profiles, FConfigFile);
  bool written = ini.WriteString(kGeneral, u"Version", FVersionString);
  written = ini.WriteString(kGeneral, u"LanguageID", DecimalText(FLanguageID)) && written;
  written = ini.WriteString(kRegstrClnr, u"AutoUpdate", FAutoUpdate ? u"1" : u"0") && written;
  written = ini.WriteString(kRegstrClnr, u"LastRunTime",
                            DecimalText(static_cast<std::int64_t>(FLastRunTime))) && written;
  return written;
}

bool TAppConfigs::SetLanguageID(std::uint16_t id) {
  FLanguageID = id;
  languageIDConfigured_ = true;
  const std::u16string folder = FileFolder(FConfigFile);
  if (platform_.files.Probe(folder) != platform::PathKind::kFolder &&
      !platform_.files.CreateFolders(folder)) {
    return false;
  }
  IniFile ini(platform_.profiles, FConfigFile);
  return ini.WriteString(kGeneral, u"LanguageID", DecimalText(FLanguageID));
}

}  // namespace ovalin
