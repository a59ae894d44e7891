// TKelFontProperty: one parsed font text such as "Tahoma,10,1,16777215,0,0". Fields are
// separated by "," or "|"; empty fields are dropped before counting; each field is
// trimmed of blanks and tabs. By position: name, size (points), style (1 bold,
// 2 underline, 4 strike-out, 8 italic), colour (0xRRGGBB), charset (low 8 bits),
// orientation (tenths of a degree), pitch (2 fixed, 3 variable, else default), height.
// A field that does not parse leaves its flag clear; only flagged fields are applied.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "localisation/kel_font.h"

namespace ovalin {

enum TFontPropertyFlag : std::uint32_t {
  fpfName = 0x01,
  fpfSize = 0x02,
  fpfStyle = 0x04,
  fpfColor = 0x08,
  fpfCharset = 0x10,
  fpfOrientation = 0x20,
  fpfPitch = 0x40,
  fpfHeight = 0x80,
};

class TKelFontProperty {
 public:
  explicit TKelFontProperty(std::u16string_view fontText = u"") { Reload(fontText); }

  // Clears every field and flag, stores the font text and parses it.
  void Reload(std::u16string_view fontText);
  // Reloads with fontText when it is not empty, then applies the flagged fields to font in
  // the order name, size, style, colour, charset, orientation, pitch.
  void ChangeFont(TKelFont& font, std::u16string_view fontText = u"");

  const std::u16string& FormatString() const { return FFormat; }
  std::uint32_t Flags() const { return FFlags; }
  const std::u16string& Name() const { return FName; }
  std::int32_t Size() const { return FSize; }
  TFontStyles Style() const { return FStyle; }
  std::uint32_t Color() const { return FColor; }
  std::int32_t Height() const { return FHeight; }
  std::uint8_t Charset() const { return FCharset; }
  std::int32_t Orientation() const { return FOrientation; }
  TFontPitch Pitch() const { return FPitch; }

 private:
  void SetField(int position, std::u16string_view text);

  std::u16string FFormat;
  std::uint32_t FFlags = 0;
  std::u16string FName;
  std::int32_t FSize = 0;
  TFontStyles FStyle = 0;
  std::uint32_t FColor = 0;
  std::int32_t FHeight = 0;
  std::uint8_t FCharset = 0;
  std::int32_t FOrientation = 0;
  TFontPitch FPitch = TFontPitch::fpDefault;
};

}  // namespace ovalin
