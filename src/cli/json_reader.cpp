#include "cli/json_reader.h"

#include <cmath>
#include <cstdlib>

namespace ovalin::cli {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  bool Document(JsonValue* value, std::string* error) {
    SkipSpace();
    if (!Value(value, 0)) return Report(error);
    SkipSpace();
    if (position_ != text_.size()) {
      problem_ = "text after the document";
      return Report(error);
    }
    return true;
  }

 private:
  bool Report(std::string* error) {
    *error = "offset " + std::to_string(position_) + ": " + problem_;
    return false;
  }
  bool Fail(const char* problem) {
    problem_ = problem;
    return false;
  }
  bool AtEnd() const { return position_ >= text_.size(); }
  void SkipSpace() {
    while (!AtEnd() && (text_[position_] == ' ' || text_[position_] == '\t' ||
                        text_[position_] == '\n' || text_[position_] == '\r')) {
      ++position_;
    }
  }
  bool Literal(std::string_view word) {
    if (text_.substr(position_, word.size()) != word) return Fail("unknown word");
    position_ += word.size();
    return true;
  }

  bool Value(JsonValue* value, int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    if (AtEnd()) return Fail("value expected");
    switch (text_[position_]) {
      case '{':
        return Object(value, depth);
      case '[':
        return Array(value, depth);
      case '"':
        value->kind = JsonValue::Kind::kString;
        return String(&value->text);
      case 't':
        value->kind = JsonValue::Kind::kBool;
        value->boolean = true;
        return Literal("true");
      case 'f':
        value->kind = JsonValue::Kind::kBool;
        return Literal("false");
      case 'n':
        value->kind = JsonValue::Kind::kNull;
        return Literal("null");
      default:
        return Number(value);
    }
  }

  bool Object(JsonValue* value, int depth) {
    value->kind = JsonValue::Kind::kObject;
    ++position_;
    SkipSpace();
    if (!AtEnd() && text_[position_] == '}') {
      ++position_;
      return true;
    }
    while (true) {
      SkipSpace();
      if (AtEnd() || text_[position_] != '"') return Fail("member name expected");
      std::pair<std::string, JsonValue> member;
      if (!String(&member.first)) return false;
      SkipSpace();
      if (AtEnd() || text_[position_] != ':') return Fail("':' expected");
      ++position_;
      SkipSpace();
      if (!Value(&member.second, depth + 1)) return false;
      value->members.push_back(std::move(member));
      SkipSpace();
      if (AtEnd()) return Fail("'}' expected");
      if (text_[position_] == '}') {
        ++position_;
        return true;
      }
      if (text_[position_] != ',') return Fail("',' or '}' expected");
      ++position_;
    }
  }

  bool Array(JsonValue* value, int depth) {
    value->kind = JsonValue::Kind::kArray;
    ++position_;
    SkipSpace();
    if (!AtEnd() && text_[position_] == ']') {
      ++position_;
      return true;
    }
    while (true) {
      SkipSpace();
      JsonValue item;
      if (!Value(&item, depth + 1)) return false;
      value->items.push_back(std::move(item));
      SkipSpace();
      if (AtEnd()) return Fail("']' expected");
      if (text_[position_] == ']') {
        ++position_;
        return true;
      }
      if (text_[position_] != ',') return Fail("',' or ']' expected");
      ++position_;
    }
  }

  bool Hex4(std::uint32_t* unit) {
    if (text_.size() - position_ < 4) return Fail("four hexadecimal digits expected");
    *unit = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[position_++];
      *unit <<= 4;
      if (c >= '0' && c <= '9') {
        *unit |= static_cast<std::uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        *unit |= static_cast<std::uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        *unit |= static_cast<std::uint32_t>(c - 'A' + 10);
      } else {
        return Fail("four hexadecimal digits expected");
      }
    }
    return true;
  }

  static void AppendUtf8(std::uint32_t code, std::string* out) {
    if (code < 0x80) {
      *out += static_cast<char>(code);
    } else if (code < 0x800) {
      *out += static_cast<char>(0xC0 | (code >> 6));
      *out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      *out += static_cast<char>(0xE0 | (code >> 12));
      *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      *out += static_cast<char>(0xF0 | (code >> 18));
      *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  // A "\u" escape, with the second half of a surrogate pair when the first asks for it;
  // a lone surrogate becomes U+FFFD.
  bool UnicodeEscape(std::string* out) {
    std::uint32_t unit = 0;
    if (!Hex4(&unit)) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF && text_.substr(position_, 2) == "\\u") {
      const std::size_t back = position_;
      position_ += 2;
      std::uint32_t low = 0;
      if (!Hex4(&low)) return false;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
        return true;
      }
      position_ = back;
    }
    AppendUtf8(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit, out);
    return true;
  }

  bool String(std::string* out) {
    ++position_;  // the opening quote
    while (true) {
      if (AtEnd()) return Fail("unterminated string");
      const char c = text_[position_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in a string");
      if (c != '\\') {
        *out += c;
        continue;
      }
      if (AtEnd()) return Fail("unterminated string");
      const char escaped = text_[position_++];
      switch (escaped) {
        case '"':
          *out += '"';
          break;
        case '\\':
          *out += '\\';
          break;
        case '/':
          *out += '/';
          break;
        case 'b':
          *out += '\b';
          break;
        case 'f':
          *out += '\f';
          break;
        case 'n':
          *out += '\n';
          break;
        case 'r':
          *out += '\r';
          break;
        case 't':
          *out += '\t';
          break;
        case 'u':
          if (!UnicodeEscape(out)) return false;
          break;
        default:
          return Fail("unknown escape");
      }
    }
  }

  bool Number(JsonValue* value) {
    const std::size_t start = position_;
    if (!AtEnd() && text_[position_] == '-') ++position_;
    auto digits = [&] {
      const std::size_t from = position_;
      while (!AtEnd() && text_[position_] >= '0' && text_[position_] <= '9') ++position_;
      return position_ > from;
    };
    if (!digits()) return Fail("value expected");
    if (!AtEnd() && text_[position_] == '.') {
      ++position_;
      if (!digits()) return Fail("digits expected after '.'");
    }
    if (!AtEnd() && (text_[position_] == 'e' || text_[position_] == 'E')) {
      ++position_;
      if (!AtEnd() && (text_[position_] == '+' || text_[position_] == '-')) ++position_;
      if (!digits()) return Fail("digits expected in the exponent");
    }
    const std::string number(text_.substr(start, position_ - start));
    value->kind = JsonValue::Kind::kNumber;
    value->number = std::strtod(number.c_str(), nullptr);
    return true;
  }

  std::string_view text_;
  std::size_t position_ = 0;
  std::string problem_;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view name) const {
  for (const auto& [memberName, member] : members) {
    if (memberName == name) return &member;
  }
  return nullptr;
}

std::optional<std::uint32_t> JsonValue::AsUnsigned() const {
  if (kind != Kind::kNumber || !(number >= 0) || number > 4294967295.0 ||
      std::floor(number) != number) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(number);
}

bool ParseJson(std::string_view text, JsonValue* value, std::string* error) {
  JsonValue parsed;
  Parser parser(text);
  if (!parser.Document(&parsed, error)) return false;
  *value = std::move(parsed);
  return true;
}

}  // namespace ovalin::cli
