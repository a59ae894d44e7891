#include "platform/utf8.h"

namespace ovalin::platform {

namespace {

// Length of the valid UTF-8 sequence starting at bytes[i] and its code point, or 0.
std::size_t Utf8Sequence(std::string_view bytes, std::size_t i, char32_t* codePoint) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    *codePoint = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *codePoint = value;
  return length;
}

void AppendUtf16(char32_t codePoint, std::u16string* out) {
  if (codePoint >= 0x10000) {
    codePoint -= 0x10000;
    out->push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out->push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
  } else {
    out->push_back(static_cast<char16_t>(codePoint));
  }
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(c, &out);
  }
  return out;
}

std::u16string DecodeUtf8(std::string_view bytes, InvalidUtf8 invalid) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t codePoint = 0;
    const std::size_t length = Utf8Sequence(bytes, i, &codePoint);
    if (length == 0) {
      text += invalid == InvalidUtf8::kLatin1
                  ? static_cast<char16_t>(static_cast<unsigned char>(bytes[i]))
                  : u'\uFFFD';
      ++i;
      continue;
    }
    AppendUtf16(codePoint, &text);
    i += length;
  }
  return text;
}

bool DecodeUtf8Strict(std::string_view bytes, std::u16string* result) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t codePoint = 0;
    const std::size_t length = Utf8Sequence(bytes, i, &codePoint);
    if (length == 0) return false;
    AppendUtf16(codePoint, &text);
    i += length;
  }
  *result = std::move(text);
  return true;
}

}  // namespace ovalin::platform
