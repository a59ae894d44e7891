#include "platform/reg_file_text.h"

#include "platform/utf8.h"

namespace ovalin::platform::regfile {

std::u16string DecodeUtf8OrLatin1(std::string_view bytes) {
  return DecodeUtf8(bytes, InvalidUtf8::kLatin1);
}

std::vector<std::uint8_t> ToLittleEndian(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

std::u16string FromLittleEndian(const std::uint8_t* bytes, std::size_t size) {
  std::u16string text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
  }
  return text;
}

std::u16string DecodeRegFileText(std::string_view bytes) {
  const auto startsWith = [&](std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
  };
  if (startsWith("\xFF\xFE")) {
    return FromLittleEndian(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2,
                            bytes.size() - 2);
  }
  if (startsWith("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return DecodeUtf8OrLatin1(bytes);
}

}  // namespace ovalin::platform::regfile
