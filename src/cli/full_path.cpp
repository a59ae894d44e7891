#include "cli/full_path.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace ovalin::cli {

std::u16string FullPath(const std::u16string& path) {
  if (path.empty()) return path;
#ifdef _WIN32
  const auto* wide = reinterpret_cast<const wchar_t*>(path.c_str());
  DWORD capacity = MAX_PATH;
  while (true) {
    std::vector<wchar_t> buffer(capacity);
    const DWORD length = ::GetFullPathNameW(wide, capacity, buffer.data(), nullptr);
    if (length == 0) return path;
    if (length < capacity) {
      return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
    }
    capacity = length + 1;
  }
#else
  const bool hasDrive = path.size() >= 2 && path[1] == u':';
  const bool isNetwork = path.size() >= 2 && (path[0] == u'\\' || path[0] == u'/') &&
                         (path[1] == u'\\' || path[1] == u'/');
  if (hasDrive || isNetwork) return path;
  if (path[0] == u'\\' || path[0] == u'/') return u"C:" + path;
  return u"C:\\" + path;
#endif
}

}  // namespace ovalin::cli
