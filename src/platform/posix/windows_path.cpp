#include "platform/posix/windows_path.h"

namespace ovalin::platform::posix {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool IsValidNameCharacter(char16_t c) {
  if (c < 0x20) return false;
  switch (c) {
    case u'<': case u'>': case u':': case u'"': case u'|': case u'?': case u'*':
      return false;
    default:
      return true;
  }
}

// Applies the components of text to result, one by one.
bool AppendComponents(std::u16string_view text, std::vector<std::u16string>* components) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::u16string_view part = text.substr(start, end - start);
    if (part.empty() || part == u".") {
      // a run of separators or "this folder"
    } else if (part == u"..") {
      if (!components->empty()) components->pop_back();
    } else {
      for (char16_t c : part) {
        if (!IsValidNameCharacter(c)) return false;
      }
      components->emplace_back(part);
    }
    start = end + 1;
  }
  return true;
}

}  // namespace

bool ParseWindowsPath(std::u16string_view path, std::u16string_view currentFolder,
                      WindowsPath* result) {
  if (path.empty()) return false;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return false;

  WindowsPath parsed;
  std::u16string_view rest = path;
  bool absolute = false;
  bool hasDrive = path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':';
  if (hasDrive) {
    parsed.drive = static_cast<char16_t>(path[0] & ~0x20);
    rest = path.substr(2);
    absolute = !rest.empty() && IsSeparator(rest[0]);
  } else {
    absolute = IsSeparator(path[0]);
  }

  if (!absolute) {
    // Relative to the current folder; "D:name" with another drive than the current
    // folder's is relative to that drive's root, as no other current folder is kept.
    const bool currentHasDrive =
        currentFolder.size() >= 2 && IsDriveLetter(currentFolder[0]) && currentFolder[1] == u':';
    if (!currentHasDrive) return false;
    const char16_t currentDrive = static_cast<char16_t>(currentFolder[0] & ~0x20);
    if (!hasDrive || parsed.drive == currentDrive) {
      parsed.drive = currentDrive;
      if (!AppendComponents(currentFolder.substr(2), &parsed.components)) return false;
    }
  } else if (!hasDrive) {
    if (currentFolder.size() < 2 || !IsDriveLetter(currentFolder[0]) || currentFolder[1] != u':') {
      return false;
    }
    parsed.drive = static_cast<char16_t>(currentFolder[0] & ~0x20);
  }

  if (!AppendComponents(rest, &parsed.components)) return false;
  parsed.trailingSeparator = IsSeparator(path.back());
  if (!parsed.trailingSeparator && !parsed.components.empty()) {
    // "a.txt." and "a.txt  " name "a.txt".
    std::u16string& last = parsed.components.back();
    while (!last.empty() && (last.back() == u'.' || last.back() == u' ')) last.pop_back();
    if (last.empty()) parsed.components.pop_back();
  }
  *result = std::move(parsed);
  return true;
}

}  // namespace ovalin::platform::posix
