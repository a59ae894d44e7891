#include "localisation/multi_fonts.h"

#include "localisation/int_text.h"

namespace ovalin {
namespace {

constexpr std::u16string_view kFontsSection = u"_Fonts_";

std::u16string Decimal(std::int64_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

// Puts the font's change notification back when the scope ends.
class DetachedNotification {
 public:
  explicit DetachedNotification(TKelFont& font) : font_(font), saved_(std::move(font.OnChange)) {
    font_.OnChange = nullptr;
  }
  ~DetachedNotification() { font_.OnChange = std::move(saved_); }
  DetachedNotification(const DetachedNotification&) = delete;
  DetachedNotification& operator=(const DetachedNotification&) = delete;

 private:
  TKelFont& font_;
  std::function<void()> saved_;
};

}  // namespace

bool TKelMultiFonts::LoadFromIni(std::u16string_view AFullFileName,
                                 THandlingIniEvent AOnLoadingFonts) {
  if (platform_.files.Probe(AFullFileName) != platform::PathKind::kFile) return false;
  IniFile ini(platform_.profiles, std::u16string(AFullFileName));
  const std::vector<std::u16string> keys = ini.KeyNames(kFontsSection);
  FMultiFonts.clear();
  FMultiFontsID.clear();
  for (const std::u16string& key : keys) {
    const auto id = ParseInt32(key);
    if (!id || *id < 0) continue;
    FMultiFonts.push_back(std::make_unique<TKelFontProperty>(ini.ReadString(kFontsSection, key, u"")));
    FMultiFontsID.push_back(*id);
  }
  if (AOnLoadingFonts) FOnLoadingFonts = std::move(AOnLoadingFonts);
  return DoLoadingFonts(ini);
}

bool TKelMultiFonts::SaveToIni(std::u16string_view AFullFileName, THandlingIniEvent AOnSavingFonts) {
  IniFile ini(platform_.profiles, std::u16string(AFullFileName));
  for (std::size_t i = 0; i < FMultiFonts.size(); ++i) {
    if (!ini.WriteString(kFontsSection, Decimal(FMultiFontsID[i]), FMultiFonts[i]->FormatString())) {
      return false;
    }
  }
  if (AOnSavingFonts) FOnSavingFonts = std::move(AOnSavingFonts);
  return DoSavingFonts(ini);
}

void TKelMultiFonts::ChangeFontOfID(TKelFont& ioFont, std::int32_t AID,
                                    TKelFontProperty* ABaseProperty) {
  TKelFontProperty* entry = FindFontOfID(AID);
  if (entry == nullptr) return;
  DetachedNotification detached(ioFont);
  if (ABaseProperty != nullptr) ABaseProperty->ChangeFont(ioFont);
  entry->ChangeFont(ioFont);
}

void TKelMultiFonts::ChangeFontOfIndex(TKelFont& ioFont, int AIndex,
                                       TKelFontProperty* ABaseProperty) {
  TKelFontProperty* entry = GetFont(AIndex);
  if (entry == nullptr) return;
  if (ABaseProperty != nullptr) ABaseProperty->ChangeFont(ioFont);
  entry->ChangeFont(ioFont);
}

void TKelMultiFonts::SetFontOfID(std::int32_t AID, std::u16string_view fontText) {
  if (TKelFontProperty* entry = FindFontOfID(AID)) {
    entry->Reload(fontText);
    return;
  }
  FMultiFonts.push_back(std::make_unique<TKelFontProperty>(fontText));
  FMultiFontsID.push_back(AID);
}

TKelFontProperty* TKelMultiFonts::FindFontOfID(std::int32_t AID) const {
  for (std::size_t i = 0; i < FMultiFontsID.size(); ++i) {
    if (FMultiFontsID[i] == AID) return FMultiFonts[i].get();
  }
  return nullptr;
}

TKelFontProperty* TKelMultiFonts::GetFont(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FMultiFonts[static_cast<std::size_t>(index)].get();
}

std::int32_t TKelMultiFonts::GetID(int index) const {
  if (index < 0 || index >= Count()) return -1;
  return FMultiFontsID[static_cast<std::size_t>(index)];
}

bool TKelMultiFonts::DoLoadingFonts(IniFile& iniFile) {
  return FOnLoadingFonts ? FOnLoadingFonts(iniFile) : true;
}

bool TKelMultiFonts::DoSavingFonts(IniFile& iniFile) {
  return FOnSavingFonts ? FOnSavingFonts(iniFile) : true;
}

}  // namespace ovalin
