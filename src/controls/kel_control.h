// A control without a window handle of its own (labels, pictures, the title bar): it
// lives on a TKelControlHost (a form or a scroll box), which paints it in child order
// from its double-buffered WM_PAINT and routes the mouse to it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls/gdi_font.h"
#include "localisation/kel_font.h"

namespace ovalin::controls {

class TKelControlHost;

enum class MouseButton { Left, Right, Middle };

class TKelControl {
 public:
  TKelControl();
  virtual ~TKelControl();
  TKelControl(const TKelControl&) = delete;
  TKelControl& operator=(const TKelControl&) = delete;

  // Bounds in the host's client coordinates (before scrolling).
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  const RECT& BoundsRect() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  void SetPosition(int left, int top) { SetBounds(left, top, Width(), Height()); }
  void SetSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  // The control's font (a change repaints, and resizes an auto-sized control).
  TKelFont& Font() { return font_; }
  const TKelFont& Font() const { return font_; }

  HCURSOR Cursor() const { return cursor_; }
  void SetCursor(HCURSOR value) { cursor_ = value; }

  TKelControlHost* Host() const { return host_; }
  // Repaints the control's area of the host.
  void Invalidate() const;

  std::function<void()> OnClick;
  std::function<void(MouseButton, POINT)> OnMouseDown;
  std::function<void(MouseButton, POINT)> OnMouseUp;

  // Called by the host. dc has its origin at the control's top left.
  virtual void Paint(HDC dc) = 0;
  // The text the control shows, with the kind of control ("label", "title"), for
  // programs outside the window (control_texts.h); empty kind: the control shows none.
  virtual const char16_t* TextKind() const { return u""; }
  virtual std::u16string Text() const { return {}; }
  // Mouse, in the control's coordinates.
  virtual void MouseDown(MouseButton button, POINT p);
  virtual void MouseUp(MouseButton button, POINT p);
  virtual void MouseMove(POINT p, bool buttonHeld);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void Click();

 protected:
  virtual void FontChanged() { Invalidate(); }
  virtual void BoundsChanged() {}
  // Called when the control was added to a host.
  virtual void HostChanged() {}
  // The font handle of font, cached per control.
  HFONT GdiFont(const TKelFont& font, GdiFontCache& cache) const { return cache.For(font); }
  bool Inside(POINT p) const { return p.x >= 0 && p.y >= 0 && p.x <= Width() && p.y <= Height(); }
  // Releases the capture and lets the user drag the top-level window.
  void DragHostWindow() const;

 private:
  friend class TKelControlHost;

  TKelControlHost* host_ = nullptr;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  TKelFont font_;
  HCURSOR cursor_ = nullptr;
};

}  // namespace ovalin::controls
