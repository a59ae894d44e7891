// The lines of a ".reg" file's text. A line ends at CR LF, at LF or at a lone CR (regedit
// reads all three); the last line may end without any. Lines keep their blanks.
#pragma once

#include <cstddef>
#include <string_view>

namespace ovalin::platform::regfile {

class RegFileLines {
 public:
  explicit RegFileLines(std::u16string_view text) : text_(text) {}

  // The next line without its line break; false at the end of the text.
  bool Next(std::u16string_view* line);
  // The 1-based number of the line Next gave last (0 before the first).
  int number() const { return number_; }

 private:
  std::u16string_view text_;
  std::size_t next_ = 0;
  int number_ = 0;
};

}  // namespace ovalin::platform::regfile
