// A text measurer for the layout tests: every character is 6 pixels wide, a line is 13
// high; with word wrap the text breaks at blanks to fit the box, as DrawText does.
#pragma once

#include <string>

#include "skin_logic/text_layout.h"

namespace ovalin::controls::testing {

constexpr int kCharWidth = 6;
constexpr int kLineHeight = 13;

inline TextMeasurer FakeMeasurer(std::string text) {
  return [text](const TKelRect& box, std::uint32_t flags) {
    int lines = 1;
    int widest = 0;
    if (!IsWordWrap(flags)) {
      widest = static_cast<int>(text.size()) * kCharWidth;
    } else {
      const int maxChars = std::max(1, box.Width() / kCharWidth);
      int line = 0;
      std::size_t pos = 0;
      while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        const int word = static_cast<int>(end - pos);
        const int needed = line == 0 ? word : line + 1 + word;
        if (needed > maxChars && line > 0) {
          widest = std::max(widest, line * kCharWidth);
          ++lines;
          line = word;
        } else {
          line = needed;
        }
        pos = end + 1;
      }
      widest = std::max(widest, std::min(line, maxChars) * kCharWidth);
    }
    return TKelRect{box.left, box.top, box.left + widest, box.top + lines * kLineHeight};
  };
}

}  // namespace ovalin::controls::testing
