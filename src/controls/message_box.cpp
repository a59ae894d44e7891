#include "controls/message_box.h"

#include <vector>

#include "controls/pav_utils.h"

namespace ovalin::controls {

TMessageBoxLibrary::TMessageBoxLibrary(const std::u16string& programFolder) {
  if (programFolder.empty()) return;
  const std::u16string path = programFolder + u"CMBLib.dll";
  if (GetFileAttributesW(WidePtr(path)) == INVALID_FILE_ATTRIBUTES) return;
  module_.Reset(LoadLibraryExW(WidePtr(path), nullptr, 0));
  if (!module_) return;
  function_ = reinterpret_cast<MessageBoxFunction>(
      reinterpret_cast<void*>(GetProcAddress(module_.Get(), "MessageBox")));
}

std::u16string TMessageBoxLibrary::ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      std::u16string path(reinterpret_cast<const char16_t*>(buffer.data()), n);
      const std::size_t slash = path.find_last_of(u"\\/");
      return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

int TMessageBoxLibrary::Show(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type,
                             LANGID language) const {
  if (function_ != nullptr) return function_(owner, WidePtr(text), WidePtr(caption), type, language, 0);
  return MessageBoxExW(owner, WidePtr(text), WidePtr(caption), type, language);
}

int ShowMessageBox(const TMessageBoxLibrary* library, HWND owner, const std::u16string& text,
                   const std::u16string& caption, LANGID language, UINT type) {
  if (library != nullptr) return library->Show(owner, text, caption, type, language);
  return MessageBoxExW(owner, WidePtr(text), WidePtr(caption), type, language);
}

}  // namespace ovalin::controls
