#include "platform/win32/win32_system.h"

#include <shlobj.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/win32_text.h"

namespace ovalin::platform::win32 {

bool Win32System::ExpandEnvironment(std::u16string_view text, std::u16string* result) {
  if (result == nullptr) return false;
  if (text.empty()) {
    result->clear();
    return true;
  }
  const std::wstring source = Wide(text);
  DWORD capacity = static_cast<DWORD>(source.size()) + 256;
  while (true) {
    std::vector<wchar_t> buffer(capacity);
    const DWORD needed = ::ExpandEnvironmentStringsW(source.c_str(), buffer.data(), capacity);
    if (needed == 0) return false;
    if (needed <= capacity) {
      *result = FromWide(buffer.data(), needed - 1);  // needed counts the terminator
      return true;
    }
    capacity = needed;
  }
}

std::u16string Win32System::SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH + 1] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return {};
  std::u16string folder = FromWide(path, wcslen(path));
  while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
  return folder;
}

std::u16string Win32System::ModulePath() {
  DWORD capacity = MAX_PATH;
  while (capacity <= 32768 * 2) {
    std::vector<wchar_t> buffer(capacity);
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) return FromWide(buffer.data(), length);
    capacity *= 2;
  }
  return {};
}

bool Win32System::ShellOpen(std::u16string_view file, std::u16string_view parameters,
                            int showCommand) {
  const std::wstring fileName = Wide(file);
  const std::wstring arguments = Wide(parameters);
  const HINSTANCE result =
      ::ShellExecuteW(nullptr, L"open", fileName.c_str(),
                      arguments.empty() ? nullptr : arguments.c_str(), nullptr, showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::uint16_t Win32System::ThreadLanguageID() {
  return LANGIDFROMLCID(::GetThreadLocale());
}

bool Win32System::IsElevated() {
  HANDLE opened = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
  const OwnedHandle token(opened);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return ::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation,
                               &size) != FALSE &&
         elevation.TokenIsElevated != 0;
}

}  // namespace ovalin::platform::win32
