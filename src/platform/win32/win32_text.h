// UTF-16 text handed to the wide Win32 functions, and owning handle wrappers.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == 2, "Win32 wide characters are UTF-16 code units");

namespace ovalin::platform::win32 {

// A null-terminated copy of text for a wide API argument.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(const std::wstring& text) {
  return FromWide(text.data(), text.size());
}

// A kernel handle closed with CloseHandle; INVALID_HANDLE_VALUE and null mean none.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~OwnedHandle() { Close(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (valid()) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_;
};

}  // namespace ovalin::platform::win32
