// Text helpers of the ".reg" reader and writer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin::platform::regfile {

// UTF-8 to UTF-16. A byte that does not start a valid UTF-8 sequence is taken as the
// Latin-1 character of the same number, so that ANSI files ("REGEDIT4") load too.
std::u16string DecodeUtf8OrLatin1(std::string_view bytes);
// UTF-16 code units as little-endian bytes, and back (an odd last byte is dropped).
std::vector<std::uint8_t> ToLittleEndian(std::u16string_view text);
std::u16string FromLittleEndian(const std::uint8_t* bytes, std::size_t size);

// A ".reg" file's text as UTF-16: UTF-16 LE when it starts with its byte order mark (as
// regedit and reg.exe require of UTF-16), otherwise UTF-8 with or without its mark, or
// single-byte text (see DecodeUtf8OrLatin1).
std::u16string DecodeRegFileText(std::string_view bytes);

}  // namespace ovalin::platform::regfile
