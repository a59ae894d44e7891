// TKelMultiLanguages: finds the language packs (the subfolders of the language folder
// that hold the strings file) and selects the current one. Subclasses fill their texts
// from the pack (DoLoadingStrings) and react to a change of language (DoLanguageChanged).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/ini_file.h"
#include "platform/platform.h"

namespace ovalin {

class TKelMultiLanguages {
 public:
  using THandlingIniEvent = std::function<bool(IniFile& iniFile)>;
  using TLoadedIniEvent = std::function<void()>;

  // AIniFileName: the strings file name (its folder part is dropped); empty gives the
  // program's file name without extension followed by "StrRes.ini". APath: the language
  // folder, "Langs\" when blank.
  TKelMultiLanguages(platform::Platform& platform, std::u16string_view AIniFileName,
                     std::u16string_view APath);
  virtual ~TKelMultiLanguages() = default;
  TKelMultiLanguages(const TKelMultiLanguages&) = delete;
  TKelMultiLanguages& operator=(const TKelMultiLanguages&) = delete;

  // Scans the language folder (AMultiLangsPath, or the stored folder when blank). False
  // when the folder does not exist; the pack list is then left as it was.
  bool Parse(std::u16string_view AMultiLangsPath);

  const std::u16string& IniFileName() const { return FIniFileName; }
  const std::u16string& MultiLanguagePath() const { return FMultiLanguagePath; }
  // Makes value absolute, adds a trailing backslash, stores it and parses it.
  void SetMultiLanguagePath(std::u16string_view value);

  int Count() const { return FLanguagesCount; }
  int Index() const { return FCurrentLanguageIndex; }
  void SetIndex(int value);

  std::u16string CurrentLanguagePath() const { return GetLanguagePath(FCurrentLanguageIndex); }
  std::u16string CurrentStringResFile() const { return GetStringResFile(FCurrentLanguageIndex); }
  std::int32_t CurrentLanguageID() const;
  void SetCurrentLanguageID(std::int32_t value);
  // With packs but none current, makes index 0 current (without loading it).
  std::u16string CurrentLanguageName();
  void SetCurrentLanguageName(std::u16string_view value);

  std::u16string GetLanguagePath(int index) const;
  std::u16string GetStringResFile(int index) const;
  std::u16string GetLanguageName(int index) const;
  std::int32_t GetLanguageID(int index) const;
  int IndexOfLanguageID(std::int32_t languageId) const;
  // The language identifier of the calling thread's locale, from the platform: the
  // system's language decides when the configuration names no pack.
  std::uint16_t GetLocalLanguageID() const;

  bool LoadLanguage(int index);
  bool Save() { return SaveStrings(u""); }
  bool SaveStrings(std::u16string_view fileName);

  const THandlingIniEvent& OnLoadingStrings() const { return FOnLoadingStrings; }
  void SetOnLoadingStrings(THandlingIniEvent value) { FOnLoadingStrings = std::move(value); }
  const THandlingIniEvent& OnSavingStrings() const { return FOnSavingStrings; }
  void SetOnSavingStrings(THandlingIniEvent value) { FOnSavingStrings = std::move(value); }
  const TLoadedIniEvent& OnLanguageChanged() const { return FOnLanguageChanged; }
  void SetOnLanguageChanged(TLoadedIniEvent value) { FOnLanguageChanged = std::move(value); }

 protected:
  virtual bool DoLoadingStrings(IniFile& iniFile);
  virtual bool DoSavingStrings(IniFile& iniFile);
  virtual void DoLanguageChanged();

  platform::Platform& Platform() const { return platform_; }

 private:
  std::u16string MakeAbsolute(std::u16string_view path) const;
  int LocalIndex() const { return IndexOfLanguageID(GetLocalLanguageID()); }
  bool InRange(int index) const { return index >= 0 && index < FLanguagesCount; }

  platform::Platform& platform_;

  std::u16string FIniFileName;
  std::u16string FMultiLanguagePath;
  std::int32_t FLanguagesCount = 0;
  std::int32_t FCurrentLanguageIndex = -1;
  std::vector<std::u16string> FLanguagePaths;
  std::vector<std::u16string> FStringResFiles;
  std::vector<std::u16string> FLanguageNames;
  std::vector<std::int32_t> FLanguageIDs;
  THandlingIniEvent FOnLoadingStrings;
  THandlingIniEvent FOnSavingStrings;
  TLoadedIniEvent FOnLanguageChanged;
};

}  // namespace ovalin
