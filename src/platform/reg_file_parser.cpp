// The ".reg" reader: a line-oriented parser. Each physical line is one of: blank, a
// comment (';' or '#'), a key ("[KEY]" or "[-KEY]"), or a value ("name"=data, @=data);
// hex data may go on over further lines that the previous one ended with a backslash.
#include <optional>

#include "platform/reg_file.h"
#include "platform/reg_file_text.h"
#include "platform/utf8.h"

namespace ovalin::platform {
namespace {

using regfile::DecodeUtf8OrLatin1;

constexpr std::u16string_view kHeader5 = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kHeader4 = u"REGEDIT4";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::u16string_view TrimLeft(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::u16string_view TrimRight(std::u16string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || s.back() == u'\r')) s.remove_suffix(1);
  return s;
}

// Nothing but blanks or a comment left.
bool OnlyTrailer(std::u16string_view rest) {
  rest = TrimLeft(rest);
  return rest.empty() || rest.front() == u';' || rest.front() == u'#';
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char16_t a = s[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
    if (a != prefix[i]) return false;
  }
  return true;
}

// The file's text as UTF-16, whatever its encoding: UTF-16 LE (with BOM, or detected by
// its zero high bytes), UTF-8 with or without BOM, or a single-byte code page.
std::u16string DecodeFile(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const bool utf16Bom = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
  const bool utf16NoBom = bytes.size() >= 2 && byte(0) != 0 && byte(1) == 0;
  if (utf16Bom || utf16NoBom) {
    std::size_t start = utf16Bom ? 2 : 0;
    return regfile::FromLittleEndian(reinterpret_cast<const std::uint8_t*>(bytes.data()) + start,
                                     bytes.size() - start);
  }
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
    bytes.remove_prefix(3);
  }
  return DecodeUtf8OrLatin1(bytes);
}

class Parser {
 public:
  Parser(std::u16string text, std::string_view fileName)
      : text_(std::move(text)), fileName_(fileName) {}

  bool Run(std::vector<RegFileOperation>* operations, RegFileError* error) {
    bool ok = ParseHeader();
    while (ok && NextLine()) ok = ParseLine();
    if (!ok) {
      if (error != nullptr) *error = error_;
      return false;
    }
    if (operations != nullptr) *operations = std::move(operations_);
    return true;
  }

 private:
  // Moves to the next physical line; false at the end of the text.
  bool NextLine() {
    if (next_ > text_.size()) return false;
    auto end = text_.find(u'\n', next_);
    if (end == std::u16string::npos) end = text_.size();
    line_ = TrimRight(std::u16string_view(text_).substr(next_, end - next_));
    next_ = end + 1;
    ++lineNumber_;
    return true;
  }

  bool Fail(std::string problem) {
    error_.file = fileName_;
    error_.line = lineNumber_;
    error_.problem = std::move(problem);
    return false;
  }

  bool ParseHeader() {
    NextLine();
    if (text_.empty()) return Fail("empty file; expected \"" + EncodeUtf8(kHeader5) + "\"");
    std::u16string_view header = TrimLeft(line_);
    if (header == kHeader5) return true;
    if (header == kHeader4) {
      regedit4_ = true;
      return true;
    }
    return Fail("bad header; expected \"" + EncodeUtf8(kHeader5) + "\" or \"REGEDIT4\"");
  }

  bool ParseLine() {
    std::u16string_view line = TrimLeft(line_);
    if (line.empty() || line.front() == u';' || line.front() == u'#') return true;
    if (line.front() == u'[') return ParseKey(line);
    if (line.front() == u'"' || line.front() == u'@') return ParseValue(line);
    return Fail("unrecognised line");
  }

  bool ParseKey(std::u16string_view line) {
    auto close = line.rfind(u']');
    if (close == std::u16string_view::npos) return Fail("key name without closing ']'");
    if (!OnlyTrailer(line.substr(close + 1))) return Fail("text after the key name");
    std::u16string_view path = line.substr(1, close - 1);
    const bool remove = !path.empty() && path.front() == u'-';
    if (remove) path.remove_prefix(1);
    std::u16string rest;
    RegKey root = ParseRootOfPath(path, &rest);
    if (root == 0) return Fail("unknown root key in \"" + EncodeUtf8(path) + "\"");
    while (!rest.empty() && rest.back() == u'\\') rest.pop_back();
    if (rest.find(u"\\\\") != std::u16string::npos || (!rest.empty() && rest.front() == u'\\')) {
      return Fail("empty key name in \"" + EncodeUtf8(path) + "\"");
    }
    if (remove && rest.empty()) return Fail("a root key cannot be deleted");
    std::u16string fullPath(RegRootName(root));
    if (!rest.empty()) fullPath += u"\\" + rest;
    RegFileOperation operation;
    operation.kind = remove ? RegFileOperation::Kind::kDeleteKey
                            : RegFileOperation::Kind::kCreateKey;
    operation.keyPath = fullPath;
    operations_.push_back(std::move(operation));
    currentKey_ = remove ? std::nullopt : std::optional<std::u16string>(fullPath);
    keySeen_ = true;
    return true;
  }

  // A quoted text starting at line[*pos] == '"'; *pos ends after the closing quote.
  // Escapes: \\ \" \n \r \0; any other backslash stays as written.
  bool ParseQuoted(std::u16string_view line, std::size_t* pos, std::u16string* text,
                   const char* what) {
    for (std::size_t i = *pos + 1; i < line.size(); ++i) {
      char16_t c = line[i];
      if (c == u'"') {
        *pos = i + 1;
        return true;
      }
      if (c == u'\\' && i + 1 < line.size()) {
        char16_t escaped = line[i + 1];
        if (escaped == u'\\' || escaped == u'"') {
          *text += escaped;
          ++i;
          continue;
        }
        if (escaped == u'n' || escaped == u'r' || escaped == u'0') {
          *text += escaped == u'n' ? u'\n' : escaped == u'r' ? u'\r' : u'\0';
          ++i;
          continue;
        }
      }
      *text += c;
    }
    return Fail(std::string("unterminated ") + what);
  }

  bool ParseValue(std::u16string_view line) {
    RegFileOperation operation;
    std::size_t pos = 1;  // after "@"
    if (line.front() == u'"') {
      pos = 0;
      if (!ParseQuoted(line, &pos, &operation.valueName, "value name")) return false;
    }
    if (!keySeen_) return Fail("value before the first key");
    if (!currentKey_) return Fail("value in a key that this file deletes");
    std::u16string_view rest = TrimLeft(line.substr(pos));
    if (rest.empty() || rest.front() != u'=') return Fail("'=' expected after the value name");
    rest = TrimLeft(rest.substr(1));
    operation.keyPath = *currentKey_;

    if (!rest.empty() && rest.front() == u'-') {
      if (!OnlyTrailer(rest.substr(1))) return Fail("text after '-'");
      operation.kind = RegFileOperation::Kind::kDeleteValue;
    } else if (!rest.empty() && rest.front() == u'"') {
      std::u16string text;
      std::size_t end = 0;
      if (!ParseQuoted(rest, &end, &text, "string")) return false;
      if (!OnlyTrailer(rest.substr(end))) return Fail("text after the closing quote");
      text += u'\0';
      operation.kind = RegFileOperation::Kind::kSetValue;
      operation.type = kRegSz;
      operation.data = regfile::ToLittleEndian(text);
    } else if (StartsWithNoCase(rest, u"dword:")) {
      if (!ParseDword(rest.substr(6), &operation)) return false;
    } else if (StartsWithNoCase(rest, u"hex")) {
      if (!ParseHexValue(rest.substr(3), &operation)) return false;
    } else {
      return Fail("unrecognised value data");
    }
    operations_.push_back(std::move(operation));
    return true;
  }

  bool ParseDword(std::u16string_view digits, RegFileOperation* operation) {
    std::uint32_t number = 0;
    std::size_t count = 0;
    while (count < digits.size() && HexDigit(digits[count]) >= 0) {
      number = (number << 4) | static_cast<std::uint32_t>(HexDigit(digits[count]));
      ++count;
    }
    if (count == 0 || count > 8 || !OnlyTrailer(digits.substr(count))) {
      return Fail("bad dword value (1 to 8 hexadecimal digits expected)");
    }
    operation->kind = RegFileOperation::Kind::kSetValue;
    operation->type = kRegDword;
    for (int shift = 0; shift < 32; shift += 8) {
      operation->data.push_back(static_cast<std::uint8_t>(number >> shift));
    }
    return true;
  }

  // After "hex": either ":" (REG_BINARY) or "(N):" with N a hexadecimal type number.
  bool ParseHexValue(std::u16string_view rest, RegFileOperation* operation) {
    std::uint32_t type = kRegBinary;
    if (!rest.empty() && rest.front() == u'(') {
      std::uint64_t number = 0;
      std::size_t i = 1;
      for (; i < rest.size() && HexDigit(rest[i]) >= 0; ++i) {
        number = (number << 4) | static_cast<std::uint32_t>(HexDigit(rest[i]));
        if (number > 0xFFFFFFFFu) return Fail("bad type number in hex(...)");
      }
      if (i == 1 || i >= rest.size() || rest[i] != u')') return Fail("bad type number in hex(...)");
      type = static_cast<std::uint32_t>(number);
      rest.remove_prefix(i + 1);
    }
    if (rest.empty() || rest.front() != u':') return Fail("':' expected after hex");
    std::vector<std::uint8_t> bytes;
    if (!ParseHexBytes(rest.substr(1), &bytes)) return false;
    if (regedit4_ && (type == kRegExpandSz || type == kRegMultiSz)) {
      // REGEDIT4 stores these strings in single bytes; the registry holds UTF-16.
      bytes = regfile::ToLittleEndian(DecodeUtf8OrLatin1(
          std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    }
    operation->kind = RegFileOperation::Kind::kSetValue;
    operation->type = type;
    operation->data = std::move(bytes);
    return true;
  }

  // Comma-separated bytes of one or two hex digits; a backslash at the end of a line
  // continues the list on the next line.
  bool ParseHexBytes(std::u16string_view rest, std::vector<std::uint8_t>* bytes) {
    for (;;) {
      rest = TrimLeft(rest);
      if (rest.empty() || rest.front() == u';' || rest.front() == u'#') return true;
      if (rest.front() == u'\\') {
        if (!TrimLeft(rest.substr(1)).empty()) return Fail("text after '\\'");
        if (!NextLine()) return Fail("hex data continued past the end of the file");
        rest = line_;
        continue;
      }
      std::size_t digits = 0;
      int value = 0;
      while (digits < rest.size() && digits < 3 && HexDigit(rest[digits]) >= 0) {
        value = value * 16 + HexDigit(rest[digits]);
        ++digits;
      }
      if (digits == 0 || digits > 2) {
        std::u16string_view shown = rest.substr(0, rest.find(u','));
        return Fail("bad hex byte \"" + EncodeUtf8(shown.substr(0, 16)) + "\"");
      }
      bytes->push_back(static_cast<std::uint8_t>(value));
      rest = TrimLeft(rest.substr(digits));
      if (!rest.empty() && rest.front() == u',') {
        rest.remove_prefix(1);
      } else if (!rest.empty() && rest.front() != u'\\' && rest.front() != u';' &&
                 rest.front() != u'#') {
        return Fail("',' expected between hex bytes");
      }
    }
  }

  std::u16string text_;
  std::string fileName_;
  std::size_t next_ = 0;  // start of the next physical line in text_
  std::u16string_view line_;
  int lineNumber_ = 0;
  bool regedit4_ = false;
  bool keySeen_ = false;
  std::optional<std::u16string> currentKey_;  // none after "[-KEY]"
  std::vector<RegFileOperation> operations_;
  RegFileError error_;
};

}  // namespace

bool ParseRegFile(std::string_view bytes, std::string_view fileName,
                  std::vector<RegFileOperation>* operations, RegFileError* error) {
  return Parser(DecodeFile(bytes), fileName).Run(operations, error);
}

}  // namespace ovalin::platform
