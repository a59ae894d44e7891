#include "controls/gdi_font.h"

#include <algorithm>
#include <cstring>

namespace ovalin::controls {

LOGFONTW LogFontOf(const TKelFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.Size(), 96, 72);
  lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style() & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style() & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = font.Charset();
  lf.lfEscapement = font.Orientation();
  lf.lfOrientation = font.Orientation();
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  switch (font.Pitch()) {
    case TFontPitch::fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case TFontPitch::fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    case TFontPitch::fpDefault: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  const std::u16string& name = font.Name();
  const std::size_t n = std::min<std::size_t>(name.size(), LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, name.data(), n * sizeof(wchar_t));
  lf.lfFaceName[n] = L'\0';
  return lf;
}

UniqueFont CreateGdiFont(const TKelFont& font) {
  const LOGFONTW lf = LogFontOf(font);
  return UniqueFont(CreateFontIndirectW(&lf));
}

HFONT GdiFontCache::For(const TKelFont& font) {
  const LOGFONTW lf = LogFontOf(font);
  if (!handle_ || std::memcmp(&lf, &key_, sizeof(lf)) != 0) {
    handle_.Reset(CreateFontIndirectW(&lf));
    key_ = lf;
  }
  return handle_.Get();
}

}  // namespace ovalin::controls
