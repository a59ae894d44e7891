#include "platform/reg_file_lines.h"

namespace ovalin::platform::regfile {

bool RegFileLines::Next(std::u16string_view* line) {
  if (next_ >= text_.size()) return false;
  std::size_t end = text_.find_first_of(u"\r\n", next_);
  if (end == std::u16string_view::npos) end = text_.size();
  *line = text_.substr(next_, end - next_);
  next_ = end + 1;
  if (end + 1 < text_.size() && text_[end] == u'\r' && text_[end + 1] == u'\n') ++next_;
  ++number_;
  return true;
}

}  // namespace ovalin::platform::regfile
