// The window-class wrapper: one C++ object per HWND. The object is handed to the window
// through lpCreateParams, stored in GWLP_USERDATA at WM_NCCREATE, and every message is
// dispatched to its virtual HandleMessage. The object outlives its window: the window is
// destroyed with the object at the latest, and the object learns of an earlier
// destruction at WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace ovalin::controls {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  // The object of a window created through this class, or nullptr.
  static Window* FromHandle(HWND hwnd);

 protected:
  // Registers className on first use (CS_HREDRAW/CS_VREDRAW are not used: the skinned
  // windows repaint only what changed) and creates the window. False when it failed.
  bool CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int width,
                      int height, HWND parent, const wchar_t* title = L"", UINT classStyle = 0);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
  // Called after WM_NCDESTROY, when the handle is already gone.
  virtual void WindowDestroyed() {}

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace ovalin::controls
