// The ".reg" reader. It reads what regedit and reg.exe import on Windows, line for line,
// and where they would pass over a line (a malformed value, a key it cannot name, text
// it does not know) it refuses the whole file instead, naming that line: importing the
// rest would leave the registry different from what the file's writer meant, and a file
// either applies whole or not at all.
//
// After the header, each line of the registry editor form is one of:
//   blank, or a comment: ';' or '#' as its first character after blanks;
//   [KEY] or [-KEY]         a key to create or to delete with everything below it;
//   "name"=data or @=data   a value of the last key, where data is
//       "text"              REG_SZ; escapes \\ \" \n \r;
//       dword:1f            REG_DWORD, 1 to 8 hexadecimal digits;
//       hex:01,ff           REG_BINARY; hex(N): any type N (hexadecimal);
//       -                   deletes the value.
// Blanks may surround '=' and lead the data; after the data only blanks and a ';'
// comment may follow ('#' starts a comment only at the start of a line). A hex list goes
// on over further lines when a line ends in a comma and a backslash (a ';' comment may
// follow it); blank lines and ';' comment lines in between are passed over, and the next
// line holding data must start, after blanks, with a hexadecimal digit. A file that ends
// while a list waits for more ends the list there.
#include "platform/reg_file.h"
#include "platform/reg_file_lines.h"
#include "platform/reg_file_parse.h"
#include "platform/reg_file_text.h"
#include "platform/utf8.h"

namespace ovalin::platform {
namespace {

using regfile::IsBlank;
using regfile::RegFileLines;
using regfile::SkipBlanks;

constexpr std::u16string_view kHeader5 = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kHeader4 = u"REGEDIT4";
constexpr std::u16string_view kHeader31 = u"REGEDIT";

enum class Form { kWin31, kRegedit4, kVersion5 };

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Windows reads a line only up to a NUL character; we refuse such a line.
bool HasNul(std::u16string_view line) { return line.find(u'\0') != std::u16string_view::npos; }

// Nothing but blanks, or blanks and a ';' comment.
bool OnlyComment(std::u16string_view rest) {
  rest = SkipBlanks(rest);
  return rest.empty() || rest.front() == u';';
}

bool StartsWith(std::u16string_view s, std::u16string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// String data written as a hex list, as Windows stores it: a list that does not end in
// a NUL gets one (since Vista), and REGEDIT4 lists hold single-byte text that the
// registry keeps in UTF-16 (RegSetValueExA). An empty list stays empty. A UTF-16 list of
// odd length has no last character to judge, and is kept as written.
std::vector<std::uint8_t> StringTypeData(Form form, std::uint32_t type,
                                         std::vector<std::uint8_t> bytes) {
  const bool stringType = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
  if (!stringType || bytes.empty()) return bytes;
  if (form == Form::kRegedit4) {
    if (bytes.back() != 0) bytes.push_back(0);
    return regfile::ToLittleEndian(regfile::DecodeUtf8OrLatin1(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
  }
  const std::size_t size = bytes.size();
  if (size % 2 == 0 && (bytes[size - 2] != 0 || bytes[size - 1] != 0)) {
    bytes.push_back(0);
    bytes.push_back(0);
  }
  return bytes;
}

class Parser {
 public:
  Parser(std::u16string_view text, std::string_view fileName)
      : lines_(text), fileName_(fileName) {}

  bool Run(std::vector<RegFileOperation>* operations, RegFileError* error) {
    bool ok = ParseHeader();
    if (ok && form_ == Form::kWin31) {
      std::string problem;
      ok = regfile::ParseWin31Lines(lines_, &operations_, &problem) || Fail(problem);
    } else {
      std::u16string_view line;
      while (ok && lines_.Next(&line)) ok = ParseLine(line);
    }
    if (!ok) {
      if (error != nullptr) *error = error_;
      return false;
    }
    if (operations != nullptr) *operations = std::move(operations_);
    return true;
  }

 private:
  bool Fail(std::string problem) {
    error_.file = fileName_;
    error_.line = lines_.number();
    error_.problem = std::move(problem);
    return false;
  }

  // The first line, after any blanks, is exactly one of the three headers. Windows also
  // accepts any other line that starts with "REGEDIT" but then imports nothing at all.
  bool ParseHeader() {
    std::u16string_view line;
    if (!lines_.Next(&line)) {
      Fail("empty file; expected \"" + EncodeUtf8(kHeader5) + "\"");
      error_.line = 1;
      return false;
    }
    line = SkipBlanks(line);
    if (line == kHeader5) {
      form_ = Form::kVersion5;
    } else if (line == kHeader4) {
      form_ = Form::kRegedit4;
    } else if (line == kHeader31) {
      form_ = Form::kWin31;
    } else if (StartsWith(line, kHeader31)) {
      return Fail("bad header \"" + EncodeUtf8(line.substr(0, 40)) +
                  "\"; Windows imports nothing from a file with it");
    } else if (HasNul(line)) {
      return Fail("bad header; a UTF-16 file needs its byte order mark");
    } else {
      return Fail("bad header; expected \"" + EncodeUtf8(kHeader5) + "\" or \"REGEDIT4\"");
    }
    return true;
  }

  bool ParseLine(std::u16string_view line) {
    if (HasNul(line)) return Fail("NUL character in the line");
    line = SkipBlanks(line);
    if (line.empty() || line.front() == u';' || line.front() == u'#') return true;
    if (line.front() == u'[') return ParseKey(line.substr(1));
    if (line.front() == u'@') return ParseValue(u"", line.substr(1));
    if (line.front() == u'"') {
      std::u16string name;
      std::size_t end = 0;
      if (!ParseQuoted(line, &end, &name, "value name")) return false;
      return ParseValue(std::move(name), line.substr(end));
    }
    return Fail("unrecognised line");
  }

  // After '[': "KEY]" or "-KEY]", the key's name running to the last ']'.
  bool ParseKey(std::u16string_view rest) {
    const bool remove = !rest.empty() && rest.front() == u'-';
    if (remove) rest.remove_prefix(1);
    if (!rest.empty() && IsBlank(rest.front())) return Fail("blank before the key name");
    auto close = rest.rfind(u']');
    if (close == std::u16string_view::npos) return Fail("key name without closing ']'");
    if (!OnlyComment(rest.substr(close + 1))) return Fail("text after the key name");
    RegFileOperation operation;
    std::string problem;
    if (!regfile::ParseKeyPath(rest.substr(0, close), &operation.keyPath, &problem)) {
      return Fail(problem);
    }
    if (remove && operation.keyPath.find(u'\\') == std::u16string::npos) {
      return Fail("a root key cannot be deleted");
    }
    operation.kind = remove ? RegFileOperation::Kind::kDeleteKey
                            : RegFileOperation::Kind::kCreateKey;
    currentKey_ = remove ? std::u16string() : operation.keyPath;
    keySeen_ = true;
    operations_.push_back(std::move(operation));
    return true;
  }

  // A quoted text starting at line[0] == '"', closed on the same line; *end receives the
  // position after the closing quote. Escapes: \\ \" \n \r. Windows refuses "\0", and
  // other escapes are not part of the format.
  bool ParseQuoted(std::u16string_view line, std::size_t* end, std::u16string* text,
                   const char* what) {
    for (std::size_t i = 1; i < line.size(); ++i) {
      char16_t c = line[i];
      if (c == u'"') {
        *end = i + 1;
        return true;
      }
      if (c != u'\\') {
        *text += c;
        continue;
      }
      if (++i == line.size()) break;
      switch (line[i]) {
        case u'\\': *text += u'\\'; break;
        case u'"': *text += u'"'; break;
        case u'n': *text += u'\n'; break;
        case u'r': *text += u'\r'; break;
        default:
          return Fail(std::string("unknown escape \"\\") + EncodeUtf8(line.substr(i, 1)) +
                      "\" in the " + what + "; a backslash is written \"\\\\\"");
      }
    }
    return Fail(std::string("unterminated ") + what);
  }

  // After the value's name: '=' and the data.
  bool ParseValue(std::u16string name, std::u16string_view rest) {
    if (!keySeen_) return Fail("value before the first key");
    if (currentKey_.empty()) return Fail("value in a key that this file deletes");
    rest = SkipBlanks(rest);
    if (rest.empty() || rest.front() != u'=') return Fail("'=' expected after the value name");
    rest = SkipBlanks(rest.substr(1));

    RegFileOperation operation;
    operation.keyPath = currentKey_;
    operation.valueName = std::move(name);
    operation.kind = RegFileOperation::Kind::kSetValue;
    if (!rest.empty() && rest.front() == u'-') {
      if (!OnlyComment(rest.substr(1))) return Fail("text after '-'");
      operation.kind = RegFileOperation::Kind::kDeleteValue;
    } else if (!rest.empty() && rest.front() == u'"') {
      std::u16string text;
      std::size_t end = 0;
      if (!ParseQuoted(rest, &end, &text, "string")) return false;
      if (!OnlyComment(rest.substr(end))) return Fail("text after the closing quote");
      text += u'\0';
      operation.type = kRegSz;
      operation.data = regfile::ToLittleEndian(text);
    } else if (StartsWith(rest, u"dword:")) {
      if (!ParseDword(rest.substr(6), &operation)) return false;
    } else if (StartsWith(rest, u"hex")) {
      if (!ParseHexValue(rest.substr(3), &operation)) return false;
    } else {
      return Fail("unrecognised value data");
    }
    operations_.push_back(std::move(operation));
    return true;
  }

  bool ParseDword(std::u16string_view rest, RegFileOperation* operation) {
    rest = SkipBlanks(rest);
    std::uint32_t number = 0;
    std::size_t count = 0;
    while (count < rest.size() && count <= 8 && HexDigit(rest[count]) >= 0) {
      number = (number << 4) | static_cast<std::uint32_t>(HexDigit(rest[count]));
      ++count;
    }
    if (count == 0 || count > 8 || !OnlyComment(rest.substr(count))) {
      return Fail("bad dword value (1 to 8 hexadecimal digits expected)");
    }
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
    if (!ParseHexList(rest.substr(1), &bytes)) return false;
    operation->type = type;
    operation->data = StringTypeData(form_, type, std::move(bytes));
    return true;
  }

  // The bytes of a hex list from its first line on, following its continuation lines.
  bool ParseHexList(std::u16string_view rest, std::vector<std::uint8_t>* bytes) {
    bool continued = false;
    if (!ParseHexPart(rest, bytes, &continued)) return false;
    while (continued) {
      std::u16string_view line;
      if (!lines_.Next(&line)) return true;  // the file ended: the list ends here
      if (HasNul(line)) return Fail("NUL character in the line");
      line = SkipBlanks(line);
      if (line.empty() || line.front() == u';') continue;
      if (HexDigit(line.front()) < 0) {
        return Fail("hex data expected after a line ending in ',\\'");
      }
      if (!ParseHexPart(line, bytes, &continued)) return false;
    }
    return true;
  }

  // One line's part of a hex list: bytes of one or two hexadecimal digits, each followed
  // by a comma or by the end of the list (blanks and a ';' comment). After a comma, a
  // backslash (then only blanks and a ';' comment) continues the list on a later line.
  bool ParseHexPart(std::u16string_view rest, std::vector<std::uint8_t>* bytes,
                    bool* continued) {
    *continued = false;
    for (;;) {
      rest = SkipBlanks(rest);
      if (rest.empty() || rest.front() == u';') return true;
      if (rest.front() == u'\\') {
        if (!OnlyComment(rest.substr(1))) return Fail("text after '\\'");
        *continued = true;
        return true;
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
      rest.remove_prefix(digits);
      if (!rest.empty() && rest.front() == u',') {
        rest.remove_prefix(1);
        continue;
      }
      if (OnlyComment(rest)) return true;
      if (SkipBlanks(rest).front() == u'\\') return Fail("',' expected before '\\'");
      return Fail("',' expected between hex bytes");
    }
  }

  RegFileLines lines_;
  std::string fileName_;
  Form form_ = Form::kVersion5;
  bool keySeen_ = false;
  std::u16string currentKey_;  // empty after "[-KEY]"
  std::vector<RegFileOperation> operations_;
  RegFileError error_;
};

}  // namespace

namespace regfile {

bool ParseKeyPath(std::u16string_view path, std::u16string* fullPath, std::string* problem) {
  std::u16string rest;
  const RegKey root = ParseRootOfPath(path, &rest);
  const std::u16string_view rootName = RegRootName(root);
  if (root == 0 || path.substr(0, path.find(u'\\')).size() != rootName.size()) {
    *problem = "unknown root key in \"" + EncodeUtf8(path) + "\"";
    return false;
  }
  while (!rest.empty() && rest.back() == u'\\') rest.pop_back();
  if (rest.find(u"\\\\") != std::u16string::npos || (!rest.empty() && rest.front() == u'\\')) {
    *problem = "empty key name in \"" + EncodeUtf8(path) + "\"";
    return false;
  }
  *fullPath = std::u16string(rootName);
  if (!rest.empty()) *fullPath += u"\\" + rest;
  return true;
}

}  // namespace regfile

bool ParseRegFile(std::string_view bytes, std::string_view fileName,
                  std::vector<RegFileOperation>* operations, RegFileError* error) {
  const std::u16string text = regfile::DecodeRegFileText(bytes);
  return Parser(text, fileName).Run(operations, error);
}

}  // namespace ovalin::platform
