#include "localisation/multi_languages.h"

#include "engine/text_utils.h"
#include "localisation/int_text.h"

namespace ovalin {
namespace {

constexpr std::u16string_view kDescriptionSection = u"_Description_";

std::u16string NamePart(std::u16string_view fileName) {
  const auto slash = fileName.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::u16string WithoutExtension(std::u16string_view name) {
  const auto dot = name.find_last_of(u'.');
  return std::u16string(dot == std::u16string_view::npos ? name : name.substr(0, dot));
}

}  // namespace

TKelMultiLanguages::TKelMultiLanguages(platform::Platform& platform,
                                       std::u16string_view AIniFileName,
                                       std::u16string_view APath)
    : platform_(platform) {
  FIniFileName = NamePart(AIniFileName);
  if (FIniFileName.empty()) {
    FIniFileName = WithoutExtension(NamePart(platform_.system.ModulePath())) + u"StrRes.ini";
  }
  FMultiLanguagePath = StrTrimChars(APath, u" ");
  if (FMultiLanguagePath.empty()) FMultiLanguagePath = u"Langs\\";
}

std::u16string TKelMultiLanguages::MakeAbsolute(std::u16string_view path) const {
  std::u16string result(path);
  if (result.size() <= 2 || result[1] != u':') result = AppFolder(platform_.system) + result;
  return PathAddBackslash(result);
}

bool TKelMultiLanguages::Parse(std::u16string_view AMultiLangsPath) {
  std::u16string path = StrTrimChars(AMultiLangsPath, u" ");
  if (path.empty()) path = FMultiLanguagePath;
  FMultiLanguagePath = MakeAbsolute(path);
  if (platform_.files.Probe(FMultiLanguagePath) != platform::PathKind::kFolder) return false;

  FLanguagePaths.clear();
  FStringResFiles.clear();
  FLanguageNames.clear();
  FLanguageIDs.clear();
  FLanguagesCount = 0;
  FCurrentLanguageIndex = -1;

  for (const platform::FolderEntry& entry : platform_.files.ListFolder(FMultiLanguagePath)) {
    // Hidden and system folders are never packs (a synchronisation tool's metadata
    // folder, a folder the user hid on purpose).
    if (!entry.isFolder || entry.hidden || entry.name == u"." || entry.name == u"..") continue;
    std::u16string folder = FMultiLanguagePath + entry.name + u"\\";
    std::u16string stringsFile = folder + FIniFileName;
    if (platform_.files.Probe(stringsFile) != platform::PathKind::kFile) continue;

    IniFile ini(platform_.profiles, stringsFile);
    std::u16string name = ini.ReadString(kDescriptionSection, u"LanguageName", entry.name);
    if (name.empty()) name = entry.name;
    const auto id = ParseInt32(ini.ReadString(kDescriptionSection, u"LanguageID", u"-1"));

    FLanguagePaths.push_back(std::move(folder));
    FStringResFiles.push_back(std::move(stringsFile));
    FLanguageNames.push_back(std::move(name));
    FLanguageIDs.push_back(id.value_or(-1));
    ++FLanguagesCount;
  }
  return true;
}

void TKelMultiLanguages::SetMultiLanguagePath(std::u16string_view value) {
  FMultiLanguagePath = MakeAbsolute(value);
  Parse(FMultiLanguagePath);
}

void TKelMultiLanguages::SetIndex(int value) {
  if (FLanguagesCount == 0) return;
  if (value == FCurrentLanguageIndex && value >= 0) return;
  if (!InRange(value)) value = LocalIndex();
  if (value >= 0 && value != FCurrentLanguageIndex) {
    LoadLanguage(value);
    FCurrentLanguageIndex = value;
  }
}

std::int32_t TKelMultiLanguages::CurrentLanguageID() const {
  return GetLanguageID(FCurrentLanguageIndex);
}

void TKelMultiLanguages::SetCurrentLanguageID(std::int32_t value) {
  if (value > 0) {
    for (int i = 0; i < FLanguagesCount; ++i) {
      if (FLanguageIDs[static_cast<std::size_t>(i)] == value) {
        SetIndex(i);
        return;
      }
    }
    const int local = LocalIndex();
    SetIndex(local > 0 ? local : 0);
    return;
  }
  const int local = LocalIndex();
  if (local > 0) SetIndex(local);
}

std::u16string TKelMultiLanguages::CurrentLanguageName() {
  if (FLanguagesCount == 0) return {};
  if (!InRange(FCurrentLanguageIndex)) FCurrentLanguageIndex = 0;
  return GetLanguageName(FCurrentLanguageIndex);
}

void TKelMultiLanguages::SetCurrentLanguageName(std::u16string_view value) {
  if (value.empty()) {
    SetCurrentLanguageID(0);
    return;
  }
  for (int i = 0; i < FLanguagesCount; ++i) {
    if (StrSameText(FLanguageNames[static_cast<std::size_t>(i)], value)) {
      SetIndex(i);
      return;
    }
  }
}

std::u16string TKelMultiLanguages::GetLanguagePath(int index) const {
  return InRange(index) ? FLanguagePaths[static_cast<std::size_t>(index)] : std::u16string();
}

std::u16string TKelMultiLanguages::GetStringResFile(int index) const {
  return InRange(index) ? FStringResFiles[static_cast<std::size_t>(index)] : std::u16string();
}

std::u16string TKelMultiLanguages::GetLanguageName(int index) const {
  return InRange(index) ? FLanguageNames[static_cast<std::size_t>(index)] : std::u16string();
}

std::int32_t TKelMultiLanguages::GetLanguageID(int index) const {
  return InRange(index) ? FLanguageIDs[static_cast<std::size_t>(index)] : -1;
}

int TKelMultiLanguages::IndexOfLanguageID(std::int32_t languageId) const {
  const auto wanted = static_cast<std::uint16_t>(languageId);
  for (int i = 0; i < FLanguagesCount; ++i) {
    if (static_cast<std::uint16_t>(FLanguageIDs[static_cast<std::size_t>(i)]) == wanted) return i;
  }
  return -1;
}

std::uint16_t TKelMultiLanguages::GetLocalLanguageID() const {
  return platform_.system.ThreadLanguageID();
}

bool TKelMultiLanguages::LoadLanguage(int index) {
  if (FLanguagesCount == 0) return false;
  if (!InRange(index)) index = LocalIndex();
  if (index < 0) return false;

  FCurrentLanguageIndex = index;
  bool result = false;
  const std::u16string stringsFile = CurrentStringResFile();
  if (platform_.files.Probe(stringsFile) == platform::PathKind::kFile) {
    IniFile ini(platform_.profiles, stringsFile);
    result = DoLoadingStrings(ini);
  }
  DoLanguageChanged();
  return result;
}

bool TKelMultiLanguages::SaveStrings(std::u16string_view fileName) {
  std::u16string target(fileName);
  if (target.empty()) target = CurrentStringResFile();
  if (target.empty()) return false;
  IniFile ini(platform_.profiles, target);
  return DoSavingStrings(ini);
}

bool TKelMultiLanguages::DoLoadingStrings(IniFile& iniFile) {
  return FOnLoadingStrings ? FOnLoadingStrings(iniFile) : true;
}

bool TKelMultiLanguages::DoSavingStrings(IniFile& iniFile) {
  return FOnSavingStrings ? FOnSavingStrings(iniFile) : true;
}

void TKelMultiLanguages::DoLanguageChanged() {
  if (FOnLanguageChanged) FOnLanguageChanged();
}

}  // namespace ovalin
