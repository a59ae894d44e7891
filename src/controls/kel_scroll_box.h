// A scrolling area for windowless controls (the about window's product text). Its extent
// is the bottom-right corner of its controls; the scroll bars appear when that exceeds
// the client size. With EnableMouseWheel the wheel scrolls it while the pointer is over
// it, also when the wheel message goes to its owner window (the owner's messages are
// hooked for that while the box exists).
#pragma once

#include "controls/control_host.h"

namespace ovalin::controls {

class TKelScrollBox : public TKelControlHost {
 public:
  ~TKelScrollBox() override;

  bool Create(TKelControlHost& owner, int left, int top, int width, int height);
  bool EnableMouseWheel() const { return FEnableMouseWheel; }
  void SetEnableMouseWheel(bool value) { FEnableMouseWheel = value; }
  // Pixels one wheel notch or arrow click scrolls.
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value > 0 ? value : 1; }

  // Recomputes the extent from the controls (call after adding or moving controls).
  void UpdateScrollRange();
  void ScrollTo(int x, int y);
  POINT ScrollOffset() const override { return position_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK OwnerHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  void ScrollByWheel(int delta);
  void OnScroll(int bar, int request);
  void Unhook();

  bool FEnableMouseWheel = false;
  HWND hookedOwner_ = nullptr;
  SIZE extent_{0, 0};
  POINT position_{0, 0};
  int increment_ = 8;
};

}  // namespace ovalin::controls
