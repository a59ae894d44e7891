#include "platform/posix/ini_document.h"

#include "platform/posix/host_text.h"

namespace ovalin::platform::posix {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

std::u16string Trim(std::u16string_view text) {
  size_t start = 0;
  size_t end = text.size();
  while (start < end && IsBlank(text[start])) ++start;
  while (end > start && IsBlank(text[end - 1])) --end;
  return std::u16string(text.substr(start, end - start));
}

std::u16string StripQuotes(std::u16string value) {
  if (value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniDocument::IniDocument(Encoding encoding) : encoding_(encoding) {
  if (encoding == Encoding::kUtf8Bom) bom_ = kUtf8Bom;
  if (encoding == Encoding::kUtf16LeBom) bom_ = kUtf16LeBom;
}

IniDocument::Line IniDocument::Classify(std::string raw, std::u16string text,
                                        std::u16string ending) {
  Line line;
  line.raw = std::move(raw);
  line.text = std::move(text);
  line.ending = std::move(ending);
  const std::u16string trimmed = Trim(line.text);
  if (trimmed.empty() || trimmed[0] == u';') return line;
  if (trimmed[0] == u'[') {
    const size_t close = trimmed.rfind(u']');
    if (close != std::u16string::npos) {
      line.kind = Kind::kSection;
      line.name = Trim(std::u16string_view(trimmed).substr(1, close - 1));
    }
    return line;
  }
  const size_t equals = trimmed.find(u'=');
  if (equals == std::u16string::npos) return line;
  line.kind = Kind::kKey;
  line.name = Trim(std::u16string_view(trimmed).substr(0, equals));
  line.value = Trim(std::u16string_view(trimmed).substr(equals + 1));
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  if (bytes.substr(0, 2) == kUtf16LeBom) {
    IniDocument document(Encoding::kUtf16LeBom);
    const std::string_view body = bytes.substr(2);
    std::u16string units;
    units.reserve(body.size() / 2);
    // An odd last byte is no character and is dropped.
    for (size_t i = 0; i + 1 < body.size(); i += 2) {
      units.push_back(static_cast<char16_t>(static_cast<unsigned char>(body[i]) |
                                            (static_cast<unsigned char>(body[i + 1]) << 8)));
    }
    size_t start = 0;
    while (start < units.size()) {
      size_t end = units.find(u'\n', start);
      end = end == std::u16string::npos ? units.size() : end + 1;
      std::u16string text = units.substr(start, end - start);
      std::u16string ending;
      if (!text.empty() && text.back() == u'\n') {
        ending = u"\n";
        text.pop_back();
        if (!text.empty() && text.back() == u'\r') {
          ending = u"\r\n";
          text.pop_back();
        }
      }
      std::string raw(body.substr(start * 2, (end - start) * 2));
      document.lines_.push_back(Classify(std::move(raw), std::move(text), std::move(ending)));
      start = end;
    }
    document.newLine_ = document.lines_.empty() || document.lines_[0].ending.empty()
                            ? u"\r\n"
                            : document.lines_[0].ending;
    return document;
  }

  const bool hasBom = bytes.substr(0, 3) == kUtf8Bom;
  IniDocument document(hasBom ? Encoding::kUtf8Bom : Encoding::kPlain);
  const std::string_view body = hasBom ? bytes.substr(3) : bytes;
  size_t start = 0;
  while (start < body.size()) {
    size_t end = body.find('\n', start);
    end = end == std::string_view::npos ? body.size() : end + 1;
    std::string_view content = body.substr(start, end - start);
    std::u16string ending;
    if (!content.empty() && content.back() == '\n') {
      ending = u"\n";
      content.remove_suffix(1);
      if (!content.empty() && content.back() == '\r') {
        ending = u"\r\n";
        content.remove_suffix(1);
      }
    }
    document.lines_.push_back(Classify(std::string(body.substr(start, end - start)),
                                       DecodeHostText(content), std::move(ending)));
    start = end;
  }
  document.newLine_ = document.lines_.empty() || document.lines_[0].ending.empty()
                          ? u"\r\n"
                          : document.lines_[0].ending;
  return document;
}

std::string IniDocument::Encode(std::u16string_view text) const {
  if (encoding_ != Encoding::kUtf16LeBom) return HostText(text);
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

IniDocument::Line IniDocument::MakeLine(std::u16string text) const {
  std::string raw = Encode(text) + Encode(newLine_);
  return Classify(std::move(raw), std::move(text), newLine_);
}

std::string IniDocument::Serialize() const {
  std::string bytes = bom_;
  for (const Line& line : lines_) bytes += line.raw;
  return bytes;
}

size_t IniDocument::FindSection(std::u16string_view section) const {
  const std::u16string wanted = Trim(section);
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && SameTextIgnoringCase(lines_[i].name, wanted)) return i;
  }
  return std::u16string::npos;
}

size_t IniDocument::SectionEnd(size_t header) const {
  size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::kSection) ++end;
  return end;
}

size_t IniDocument::FindKey(size_t header, std::u16string_view key) const {
  const std::u16string wanted = Trim(key);
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::kKey && SameTextIgnoringCase(lines_[i].name, wanted)) return i;
  }
  return std::u16string::npos;
}

std::optional<std::u16string> IniDocument::Read(std::u16string_view section,
                                                std::u16string_view key) const {
  const size_t header = FindSection(section);
  if (header == std::u16string::npos) return std::nullopt;
  const size_t line = FindKey(header, key);
  if (line == std::u16string::npos) return std::nullopt;
  return StripQuotes(lines_[line].value);
}

void IniDocument::Write(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  const std::u16string keyName = Trim(key);
  size_t header = FindSection(section);
  if (header == std::u16string::npos) {
    if (!lines_.empty() && lines_.back().ending.empty()) {
      lines_.back().ending = newLine_;
      lines_.back().raw += Encode(newLine_);
    }
    lines_.push_back(MakeLine(u"[" + Trim(section) + u"]"));
    lines_.push_back(MakeLine(keyName + u"=" + std::u16string(value)));
    return;
  }
  const size_t existing = FindKey(header, key);
  if (existing != std::u16string::npos) {
    Line& line = lines_[existing];
    const std::u16string ending = line.ending;
    Line replacement = MakeLine(line.name + u"=" + std::u16string(value));
    replacement.ending = ending;
    replacement.raw = Encode(replacement.text) + Encode(ending);
    line = std::move(replacement);
    return;
  }
  // A new key goes after the section's last line that is not blank.
  size_t insertAt = SectionEnd(header);
  while (insertAt > header + 1 && Trim(lines_[insertAt - 1].text).empty()) --insertAt;
  Line& previous = lines_[insertAt - 1];
  if (previous.ending.empty()) {
    previous.ending = newLine_;
    previous.raw += Encode(newLine_);
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                MakeLine(keyName + u"=" + std::u16string(value)));
}

bool IniDocument::DeleteKey(std::u16string_view section, std::u16string_view key) {
  const size_t header = FindSection(section);
  if (header == std::u16string::npos) return false;
  const size_t line = FindKey(header, key);
  if (line == std::u16string::npos) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
  return true;
}

bool IniDocument::EraseSection(std::u16string_view section) {
  const size_t header = FindSection(section);
  if (header == std::u16string::npos) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
               lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
  return true;
}

std::vector<std::u16string> IniDocument::SectionNames() const {
  std::vector<std::u16string> names;
  for (const Line& line : lines_) {
    if (line.kind == Kind::kSection) names.push_back(line.name);
  }
  return names;
}

std::vector<std::u16string> IniDocument::KeyNames(std::u16string_view section) const {
  std::vector<std::u16string> names;
  const size_t header = FindSection(section);
  if (header == std::u16string::npos) return names;
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::kKey) names.push_back(lines_[i].name);
  }
  return names;
}

}  // namespace ovalin::platform::posix
