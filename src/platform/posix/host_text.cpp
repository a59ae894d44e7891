#include "platform/posix/host_text.h"

#include "platform/utf8.h"

namespace ovalin::platform::posix {
std::string HostText(std::u16string_view text) { return EncodeUtf8(text); }

std::u16string DecodeHostText(std::string_view bytes) {
  std::u16string text;
  if (DecodeUtf8Strict(bytes, &text)) return text;
  for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
  return text;
}

char16_t FoldCase(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace ovalin::platform::posix
