// Owning wrappers of the window and GDI handles the controls use. None can be copied;
// each releases its handle exactly once, with the function that handle needs.
#pragma once

#include <windows.h>

#include <utility>

namespace ovalin::controls {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  Handle Release() { return std::exchange(h_, nullptr); }
  void Reset(Handle h = nullptr) {
    if (h_ != nullptr) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = nullptr;
};

struct GdiObjectTraits {
  static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  static void Close(HDC h) { DeleteDC(h); }
};
struct WindowTraits {
  static void Close(HWND h) { DestroyWindow(h); }
};
struct ModuleTraits {
  static void Close(HMODULE h) { FreeLibrary(h); }
};
struct KernelHandleTraits {
  static void Close(HANDLE h) { CloseHandle(h); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }
  const RECT& Area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectScope() {
    if (old_ != nullptr) SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves a DC's state (origin, clipping, colours) and restores it.
class DcStateScope {
 public:
  explicit DcStateScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~DcStateScope() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
  }
  DcStateScope(const DcStateScope&) = delete;
  DcStateScope& operator=(const DcStateScope&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// An off-screen bitmap of a given size with its own memory DC: the back buffer of the
// double-buffered painting.
class BackBuffer {
 public:
  // Recreates the bitmap when the size changed. False when GDI refused.
  bool Ensure(HDC reference, int width, int height);
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;
  int width_ = 0;
  int height_ = 0;

 public:
  BackBuffer() = default;
  ~BackBuffer() {
    if (dc_ && original_) SelectObject(dc_.Get(), original_);
  }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
};

}  // namespace ovalin::controls
