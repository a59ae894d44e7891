// A picture of the skin: decoded pixels (premultiplied BGRA) and the 32-bit DIB section
// AlphaBlend draws from. Copies share the same immutable picture, so assigning a picture
// to a control is cheap. An empty picture draws nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/win_handles.h"
#include "skin_logic/picture_decode.h"

namespace ovalin::controls {

class TKelPicture {
 public:
  TKelPicture() = default;
  static TKelPicture FromPixels(TPixels pixels);
  // An RCDATA resource holding a PNG or JPEG; empty when missing or unreadable.
  static TKelPicture FromResource(HMODULE module, const wchar_t* name);
  static TKelPicture FromFile(const std::u16string& fileName);

  bool Empty() const { return data_ == nullptr; }
  int Width() const { return data_ ? data_->width : 0; }
  int Height() const { return data_ ? data_->height : 0; }

  // At its natural size with its top left at (x, y).
  void Draw(HDC dc, int x, int y) const;
  // Scaled into dest.
  void DrawStretched(HDC dc, const RECT& dest) const;
  // Part of the picture (source rectangle) scaled into dest.
  void DrawPart(HDC dc, const RECT& dest, const RECT& source) const;

 private:
  struct Data {
    int width = 0;
    int height = 0;
    UniqueBitmap bitmap;
  };
  std::shared_ptr<const Data> data_;
};

}  // namespace ovalin::controls
