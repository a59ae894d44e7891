// TKelMultiFonts: a table of font texts by font ID, loaded from the "_Fonts_" section of
// a font file (key = ID, value = font text). IDs need not be unique; lookups take the first.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/font_property.h"
#include "localisation/ini_file.h"
#include "platform/platform.h"

namespace ovalin {

class TKelMultiFonts {
 public:
  using THandlingIniEvent = std::function<bool(IniFile& iniFile)>;

  explicit TKelMultiFonts(platform::Platform& platform) : platform_(platform) {}
  virtual ~TKelMultiFonts() = default;
  TKelMultiFonts(const TKelMultiFonts&) = delete;
  TKelMultiFonts& operator=(const TKelMultiFonts&) = delete;

  int Count() const { return static_cast<int>(FMultiFonts.size()); }

  // False when the file does not exist (the table is unchanged). Otherwise the table is
  // replaced by the file's "_Fonts_" entries (keys that are integers of 0 or more, in
  // file order) and the result of DoLoadingFonts is returned.
  bool LoadFromIni(std::u16string_view AFullFileName, THandlingIniEvent AOnLoadingFonts = {});
  bool SaveToIni(std::u16string_view AFullFileName, THandlingIniEvent AOnSavingFonts = {});

  // Applies ABaseProperty (when given) and then the entry with ID AID to ioFont, with
  // the font's change notification detached. Nothing at all when there is no such ID.
  void ChangeFontOfID(TKelFont& ioFont, std::int32_t AID, TKelFontProperty* ABaseProperty);
  // The same for the entry at AIndex, without detaching the notification.
  void ChangeFontOfIndex(TKelFont& ioFont, int AIndex, TKelFontProperty* ABaseProperty);
  // Reloads the entry with that ID, or appends one.
  void SetFontOfID(std::int32_t AID, std::u16string_view fontText);
  TKelFontProperty* FindFontOfID(std::int32_t AID) const;
  TKelFontProperty* GetFont(int index) const;
  std::int32_t GetID(int index) const;

  void SetOnLoadingFonts(THandlingIniEvent value) { FOnLoadingFonts = std::move(value); }
  void SetOnSavingFonts(THandlingIniEvent value) { FOnSavingFonts = std::move(value); }

 protected:
  virtual bool DoLoadingFonts(IniFile& iniFile);
  virtual bool DoSavingFonts(IniFile& iniFile);

 private:
  platform::Platform& platform_;
  std::vector<std::unique_ptr<TKelFontProperty>> FMultiFonts;
  std::vector<std::int32_t> FMultiFontsID;
  THandlingIniEvent FOnLoadingFonts;
  THandlingIniEvent FOnSavingFonts;
};

}  // namespace ovalin
