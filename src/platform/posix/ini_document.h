// An INI file held line by line, read and changed with the rules of the Windows
// private-profile functions: section and key names compared without regard to ASCII
// case and with surrounding blanks trimmed, the first matching section and key win,
// values trimmed and a pair of matching quotes stripped when read. Lines that a change
// does not touch are written back exactly as they were read.
//
// Encodings: UTF-16 LE with BOM, UTF-8 with BOM, or no BOM (UTF-8 when valid, otherwise
// a single-byte code page read as Latin-1). Changed and new lines are written in the
// file's encoding; without a BOM that is UTF-8. A new document is UTF-16 LE with BOM,
// so that any text survives.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovalin::platform::posix {

class IniDocument {
 public:
  enum class Encoding { kPlain, kUtf8Bom, kUtf16LeBom };

  explicit IniDocument(Encoding encoding = Encoding::kUtf16LeBom);
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;
  Encoding encoding() const { return encoding_; }

  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) const;
  void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // Both return true when something was removed.
  bool DeleteKey(std::u16string_view section, std::u16string_view key);
  bool EraseSection(std::u16string_view section);
  std::vector<std::u16string> SectionNames() const;
  std::vector<std::u16string> KeyNames(std::u16string_view section) const;

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    std::string raw;          // the bytes as read, line ending included
    std::u16string text;      // the decoded text without the line ending
    std::u16string ending;    // "\r\n", "\n" or empty on the last line
    Kind kind = Kind::kOther;
    std::u16string name;      // section or key name, trimmed
    std::u16string value;     // key value, trimmed
  };

  static Line Classify(std::string raw, std::u16string text, std::u16string ending);
  Line MakeLine(std::u16string text) const;
  std::string Encode(std::u16string_view text) const;
  // Index of the first section header with that name, or npos.
  size_t FindSection(std::u16string_view section) const;
  // One past the last line of the section whose header is at index.
  size_t SectionEnd(size_t header) const;
  size_t FindKey(size_t header, std::u16string_view key) const;

  Encoding encoding_;
  std::string bom_;
  std::vector<Line> lines_;
  std::u16string newLine_ = u"\r\n";
};

}  // namespace ovalin::platform::posix
