#include "controls/text_draw.h"

#include <vector>

namespace ovalin::controls {

namespace {

// DrawTextW may write into the text with DT_MODIFYSTRING (up to four more characters).
int DrawTextCopy(HDC dc, const std::u16string& text, RECT* rect, UINT flags) {
  std::vector<wchar_t> buffer(text.begin(), text.end());
  buffer.resize(text.size() + 5, L'\0');
  return DrawTextW(dc, buffer.data(), static_cast<int>(text.size()), rect, flags);
}

}  // namespace

void DrawCaption(HDC dc, const std::u16string& text, RECT rect, UINT flags) {
  if (text.empty()) return;
  DrawTextCopy(dc, text, &rect, flags & ~static_cast<UINT>(dt::kCalcRect));
}

TextMeasurer GdiMeasurer(HDC dc, const std::u16string& text) {
  return [dc, &text](const TKelRect& box, std::uint32_t flags) {
    RECT r = ToRect(box);
    if (text.empty()) {
      // DrawText gives an empty caption no height; the font's line height is what a
      // label measures for it.
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      return TKelRect{box.left, box.top, box.left, box.top + tm.tmHeight};
    }
    DrawTextCopy(dc, text, &r, (flags | dt::kCalcRect) & ~static_cast<std::uint32_t>(dt::kModifyString));
    return FromRect(r);
  };
}

}  // namespace ovalin::controls
