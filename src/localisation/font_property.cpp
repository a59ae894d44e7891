#include "localisation/font_property.h"

#include "engine/text_utils.h"
#include "localisation/int_text.h"

namespace ovalin {
namespace {

constexpr int kFieldCount = 8;

TFontStyles StyleFromBits(std::int32_t bits) {
  TFontStyles style = 0;
  if (bits & 1) style |= fsBold;
  if (bits & 2) style |= fsUnderline;
  if (bits & 4) style |= fsStrikeOut;
  if (bits & 8) style |= fsItalic;
  return style;
}

// 0xRRGGBB as written in a font text to 0x00BBGGRR.
std::uint32_t ColorFromRgb(std::int32_t rgb) {
  const auto value = static_cast<std::uint32_t>(rgb);
  const std::uint32_t red = (value >> 16) & 0xFF;
  const std::uint32_t green = (value >> 8) & 0xFF;
  const std::uint32_t blue = value & 0xFF;
  return red | (green << 8) | (blue << 16);
}

TFontPitch PitchFromNumber(std::int32_t number) {
  if (number == 2) return TFontPitch::fpFixed;
  if (number == 3) return TFontPitch::fpVariable;
  return TFontPitch::fpDefault;
}

}  // namespace

void TKelFontProperty::Reload(std::u16string_view fontText) {
  FFormat = std::u16string(fontText);
  FFlags = 0;
  FName.clear();
  FSize = 0;
  FStyle = 0;
  FColor = 0;
  FHeight = 0;
  FCharset = 0;
  FOrientation = 0;
  FPitch = TFontPitch::fpDefault;
  if (fontText.empty()) return;
  // Empty pieces (two separators in a row) do not count as positions.
  int position = 0;
  std::size_t start = 0;
  while (start <= fontText.size() && position < kFieldCount) {
    std::size_t end = fontText.find_first_of(u",|", start);
    if (end == std::u16string_view::npos) end = fontText.size();
    const std::u16string_view piece = fontText.substr(start, end - start);
    if (!piece.empty()) SetField(++position, StrTrimChars(piece, u" \t"));
    start = end + 1;
  }
}

void TKelFontProperty::SetField(int position, std::u16string_view text) {
  if (position == 1) {
    if (!text.empty()) {
      FName = std::u16string(text);
      FFlags |= fpfName;
    }
    return;
  }
  const auto number = ParseInt32(text);
  if (!number) return;
  switch (position) {
    case 2: FSize = *number; FFlags |= fpfSize; break;
    case 3: FStyle = StyleFromBits(*number); FFlags |= fpfStyle; break;
    case 4: FColor = ColorFromRgb(*number); FFlags |= fpfColor; break;
    case 5: FCharset = static_cast<std::uint8_t>(*number & 0xFF); FFlags |= fpfCharset; break;
    case 6: FOrientation = *number; FFlags |= fpfOrientation; break;
    case 7: FPitch = PitchFromNumber(*number); FFlags |= fpfPitch; break;
    case 8: FHeight = *number; FFlags |= fpfHeight; break;
    default: break;
  }
}

void TKelFontProperty::ChangeFont(TKelFont& font, std::u16string_view fontText) {
  if (!fontText.empty()) Reload(fontText);
  if (FFlags & fpfName) font.SetName(FName);
  if (FFlags & fpfSize) font.SetSize(FSize);
  if (FFlags & fpfStyle) font.SetStyle(FStyle);
  if (FFlags & fpfColor) font.SetColor(FColor);
  if (FFlags & fpfCharset) font.SetCharset(FCharset);
  if (FFlags & fpfOrientation) font.SetOrientation(FOrientation);
  if (FFlags & fpfPitch) font.SetPitch(FPitch);
}

}  // namespace ovalin
