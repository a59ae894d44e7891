#include "engine/text_utils.h"

#include <algorithm>

namespace ovalin {

namespace {

constexpr char16_t kBackslash = u'\\';

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c; }
char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

bool InSet(char16_t c, std::u16string_view set) {
  return set.find(c) != std::u16string_view::npos;
}

}  // namespace

std::u16string StrDuplicate(std::u16string_view s) { return std::u16string(s); }

std::u16string StrReverse(std::u16string_view s) { return std::u16string(s.rbegin(), s.rend()); }

std::u16string StrUpper(std::u16string_view s) {
  std::u16string result(s);
  std::transform(result.begin(), result.end(), result.begin(), UpperAscii);
  return result;
}

std::u16string StrLower(std::u16string_view s) {
  std::u16string result(s);
  std::transform(result.begin(), result.end(), result.begin(), LowerAscii);
  return result;
}

std::u16string StrTrimChars(std::u16string_view s, std::u16string_view set) {
  std::size_t first = 0;
  while (first < s.size() && InSet(s[first], set)) ++first;
  std::size_t last = s.size();
  while (last > first && InSet(s[last - 1], set)) --last;
  return std::u16string(s.substr(first, last - first));
}

int StrCompareText(std::u16string_view a, std::u16string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int ca = UpperAscii(a[i]);
    const int cb = UpperAscii(b[i]);
    if (ca != cb) return ca - cb;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::u16string StrSub(std::u16string_view s, long long start, long long count) {
  const long long length = static_cast<long long>(s.size());
  if (length == 0 || count <= 0) return {};
  if (start < 0) start = 0;
  if (start >= length) return {};
  const long long end = start + count;
  if (end >= length || end <= 0) return std::u16string(s.substr(start));
  return std::u16string(s.substr(start, count));
}

std::u16string StrTail(std::u16string_view s, long long start) {
  return StrSub(s, start, static_cast<long long>(s.size()) - start);
}

long long StrFindFrom(std::u16string_view s, std::u16string_view sub, long long start) {
  const std::u16string rest = StrTail(s, start);
  if (rest.empty()) return -1;
  const std::size_t found = rest.find(sub);
  const long long index = found == std::u16string::npos ? -1 : static_cast<long long>(found);
  return (start < 0 ? 0 : start) + index;
}

long long StrFind(std::u16string_view s, std::u16string_view sub) {
  return StrFindFrom(s, sub, 0);
}

std::u16string StrDelete(std::u16string_view s, long long index, long long count) {
  return StrSub(s, 0, index) + StrTail(s, index + count);
}

std::vector<std::u16string> StrSplitChars(std::u16string_view s, std::u16string_view delimiters) {
  if (delimiters.empty()) delimiters = u" ";
  std::vector<std::u16string> pieces;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!InSet(s[i], delimiters)) continue;
    if (i > begin) pieces.emplace_back(s.substr(begin, i - begin));
    begin = i + 1;
  }
  if (begin < s.size()) pieces.emplace_back(s.substr(begin));
  return pieces;
}

std::u16string StrEscapes(std::u16string_view s, bool decode) {
  std::u16string out;
  out.reserve(s.size() + s.size() / 8);
  if (!decode) {
    for (std::size_t i = 0; i < s.size(); ++i) {
      const char16_t c = s[i];
      switch (c) {
        case u'\r':
          out += u"\\n";
          if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
          break;
        case u'\n': out += u"\\n"; break;
        case u'\t': out += u"\\t"; break;
        case u'\b': out += u"\\b"; break;
        case u'\v': out += u"\\v"; break;
        case u'\f': out += u"\\f"; break;
        case kBackslash: out += u"\\\\"; break;
        default: out += c; break;
      }
    }
    return out;
  }
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c != kBackslash || i + 1 == s.size()) {
      out += c;
      continue;
    }
    switch (s[i + 1]) {
      case u'0': out += char16_t(0); break;
      case u'n': out += u"\r\n"; break;
      case u't': out += u'\t'; break;
      case u'v': out += u'\v'; break;
      case u'b': out += u'\b'; break;
      case u'f': out += u'\f'; break;
      case kBackslash: out += kBackslash; break;
      default:
        out += c;  // an unknown escape keeps its backslash; the next character follows
        continue;
    }
    ++i;
  }
  return out;
}

std::u16string PathAddBackslash(std::u16string_view path) {
  if (path.empty()) return {};
  if (path.back() == kBackslash) return std::u16string(path);
  return std::u16string(path) + kBackslash;
}

std::u16string PathRemoveBackslash(std::u16string_view path) {
  if (!path.empty() && path.back() == kBackslash) path.remove_suffix(1);
  return std::u16string(path);
}

namespace {
// Index just after the last backslash or colon, 0 when there is none.
std::size_t NameStart(std::u16string_view fileName) {
  const std::size_t separator = fileName.find_last_of(u"\\:");
  return separator == std::u16string_view::npos ? 0 : separator + 1;
}
}  // namespace

std::u16string FileBaseName(std::u16string_view fileName) {
  std::u16string_view name = fileName.substr(NameStart(fileName));
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos) name = name.substr(0, dot);
  return std::u16string(name);
}

std::u16string FileFolder(std::u16string_view fileName) {
  return PathAddBackslash(fileName.substr(0, NameStart(fileName)));
}

std::u16string AppFolder(platform::SystemServices& system) {
  const std::u16string module = system.ModulePath();
  return FileFolder(std::u16string_view(module).substr(0, 512));
}

std::u16string ExpandEnvVars(platform::SystemServices& system, std::u16string_view text) {
  if (text.empty()) return {};
  std::u16string result;
  if (!system.ExpandEnvironment(text, &result)) return {};
  return result;
}

bool FileSizeOf(platform::FileSystem& files, std::u16string_view fileName, std::uint64_t* size) {
  if (fileName.empty()) return false;
  auto file = files.Open(fileName, platform::FileOpenMode::kOpenRead);
  return file && file->Size(size);
}

void FileTruncateAt(platform::File* file, std::uint64_t position) {
  if (file == nullptr) return;
  const std::uint64_t current = file->Position();
  if (!file->Seek(position)) return;
  file->Truncate();
  if (current < position) file->Seek(current);
}

std::string ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::u16string FromUtf8(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  auto continuation = [&](std::size_t at) {
    return at < s.size() && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80;
  };
  while (i < s.size()) {
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    std::uint32_t cp = 0xFFFD;
    std::size_t length = 1;
    if (lead < 0x80) {
      cp = lead;
    } else if (lead >= 0xC2 && lead < 0xE0 && continuation(i + 1)) {
      cp = ((lead & 0x1F) << 6) | (s[i + 1] & 0x3F);
      length = 2;
    } else if (lead >= 0xE0 && lead < 0xF0 && continuation(i + 1) && continuation(i + 2)) {
      cp = ((lead & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
      length = 3;
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    } else if (lead >= 0xF0 && lead < 0xF5 && continuation(i + 1) && continuation(i + 2) &&
               continuation(i + 3)) {
      cp = ((lead & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
           (s[i + 3] & 0x3F);
      length = 4;
      if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += length;
  }
  return out;
}

}  // namespace ovalin
