// Text conversions at the edge of the substitute: host file names and file contents are
// bytes (UTF-8 by convention), the portable layers speak UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace ovalin::platform::posix {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string HostText(std::u16string_view text);
// Bytes that may be UTF-8 or a single-byte code page: UTF-8 when valid, otherwise each
// byte as the Latin-1 character of the same number.
std::u16string DecodeHostText(std::string_view bytes);

// ASCII-only case folding, the rule used for names throughout the substitute.
char16_t FoldCase(char16_t c);
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace ovalin::platform::posix
