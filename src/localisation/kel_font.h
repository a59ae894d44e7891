// The portable font object that font texts are applied to: name, size, style, colour,
// charset, orientation, pitch and height. The windows turn it into a GDI font. Each
// property change calls OnChange when it is set.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ovalin {

// Style bits of a font (a set: any combination).
enum TFontStyle : std::uint8_t {
  fsBold = 0x01,
  fsItalic = 0x02,
  fsUnderline = 0x04,
  fsStrikeOut = 0x08,
};
using TFontStyles = std::uint8_t;

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr std::uint8_t kDefaultCharset = 1;

class TKelFont {
 public:
  const std::u16string& Name() const { return name_; }
  std::int32_t Size() const { return size_; }
  TFontStyles Style() const { return style_; }
  // 0x00BBGGRR (red in the low byte).
  std::uint32_t Color() const { return color_; }
  std::uint8_t Charset() const { return charset_; }
  // Tenths of a degree.
  std::int32_t Orientation() const { return orientation_; }
  TFontPitch Pitch() const { return pitch_; }
  std::int32_t Height() const { return height_; }

  void SetName(std::u16string value) { name_ = std::move(value); Changed(); }
  void SetSize(std::int32_t value) { size_ = value; Changed(); }
  void SetStyle(TFontStyles value) { style_ = value; Changed(); }
  void SetColor(std::uint32_t value) { color_ = value; Changed(); }
  void SetCharset(std::uint8_t value) { charset_ = value; Changed(); }
  void SetOrientation(std::int32_t value) { orientation_ = value; Changed(); }
  void SetPitch(TFontPitch value) { pitch_ = value; Changed(); }
  void SetHeight(std::int32_t value) { height_ = value; Changed(); }

  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }

  std::u16string name_ = u"Tahoma";
  std::int32_t size_ = 8;
  TFontStyles style_ = 0;
  std::uint32_t color_ = 0;
  std::uint8_t charset_ = kDefaultCharset;
  std::int32_t orientation_ = 0;
  TFontPitch pitch_ = TFontPitch::fpDefault;
  std::int32_t height_ = 0;
};

}  // namespace ovalin
