#include "windows/registry_editor.h"

#include <shellapi.h>

#include "controls/system_programs.h"

namespace ovalin::windows {

namespace {

constexpr wchar_t kRegeditSettings[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool WriteLastKey(const std::u16string& value) {
  RegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRegeditSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      key.Receive(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(char16_t));
  return RegSetValueExW(key.Get(), L"LastKey", 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace

std::u16string RegeditLastKey(const std::u16string& fullKeyPath) {
  std::u16string path = fullKeyPath;
  while (!path.empty() && path.back() == u'\\') path.pop_back();
  return u"Computer\\" + path;
}

bool OpenRegistryEditorAt(HWND owner, const std::u16string& fullKeyPath) {
  // Without LastKey regedit still starts, at the key it showed last: worth starting.
  WriteLastKey(RegeditLastKey(fullKeyPath));
  const std::wstring regedit = controls::WindowsFolderProgram(L"regedit.exe");
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", regedit.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace ovalin::windows
