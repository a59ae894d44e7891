// UTF-8 <-> UTF-16 conversion, shared by every layer (the engine's text utilities, the
// ".reg" reader and writer, the substitute's host file names).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ovalin::platform {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// What a byte that does not start a valid UTF-8 sequence becomes.
enum class InvalidUtf8 {
  kReplace,  // U+FFFD
  kLatin1,   // the Latin-1 character of the same number (ANSI text read as UTF-8)
};
// UTF-8 to UTF-16, never failing: invalid bytes are handled one at a time as asked.
std::u16string DecodeUtf8(std::string_view bytes, InvalidUtf8 invalid);
// UTF-8 to UTF-16; false (and result untouched) when any sequence is invalid.
bool DecodeUtf8Strict(std::string_view bytes, std::u16string* result);

}  // namespace ovalin::platform
