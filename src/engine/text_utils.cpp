#include "engine/text_utils.h"

#include <algorithm>

#include "platform/utf8.h"

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

std::string ToUtf8(std::u16string_view s) { return platform::EncodeUtf8(s); }

std::u16string FromUtf8(std::string_view s) {
  return platform::DecodeUtf8(s, platform::InvalidUtf8::kReplace);
}

}  // namespace ovalin
