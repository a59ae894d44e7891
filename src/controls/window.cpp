#include "controls/window.h"

#include <exception>

namespace ovalin::controls {

namespace {

// Marks our windows so that FromHandle never takes foreign user data for an object.
constexpr wchar_t kOwnerProperty[] = L"OvalinWindowObject";

}  // namespace

Window::~Window() {
  if (hwnd_ != nullptr) {
    HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, kOwnerProperty);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

Window* Window::FromHandle(HWND hwnd) {
  if (hwnd == nullptr || GetPropW(hwnd, kOwnerProperty) == nullptr) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Window::CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y,
                            int width, int height, HWND parent, const wchar_t* title,
                            UINT classStyle) {
  if (hwnd_ != nullptr) return false;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return false;
  }
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                         instance, this) != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultMessage(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetPropW(hwnd, kOwnerProperty, reinterpret_cast<HANDLE>(1));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception&) {
    // No exception may cross the system's window procedure: the message gets the
    // default answer and the failure is reported to a debugger.
    OutputDebugStringW(L"Ovalin: exception in a window procedure\n");
    result = DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, kOwnerProperty);
    self->hwnd_ = nullptr;
    self->WindowDestroyed();
  }
  return result;
}

}  // namespace ovalin::controls
