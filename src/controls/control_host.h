// A window that hosts windowless controls: it paints its background and then each
// visible control in child order into a back buffer (one BitBlt per WM_PAINT, so
// nothing flickers), and routes the mouse to the topmost enabled control under the
// pointer: presses capture the mouse for that control, a release over it after a left
// press clicks it, and moving between controls raises leave and enter. Base of the
// forms and of the scroll box.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/kel_control.h"
#include "controls/win_handles.h"
#include "controls/window.h"

namespace ovalin::controls {

class TKelCustomButton;

class TKelControlHost : public Window {
 public:
  // Adds a control on top of those added before. The host does not own it; a control
  // removes itself when destroyed.
  void AddControl(TKelControl& control);
  void RemoveControl(TKelControl& control);

  COLORREF Color() const { return color_; }
  void SetColor(COLORREF value);

  // The window's own font (the one its windowed controls take by default).
  TKelFont& Font() { return font_; }

  void InvalidateArea(const RECT& controlArea);
  // The lines of control_texts.h for the visible controls and buttons, in child order.
  std::u16string ControlTexts() const;
  // Paints the background and the windowless controls in area (client coordinates) into
  // dc, whose origin is the client's top left. Used by WM_PAINT and WM_PRINTCLIENT.
  void PaintContent(HDC dc, const RECT& area);
  // Releases the capture and sends the top-level window WM_SYSCOMMAND SC_MOVE|HTCAPTION
  // (0xF012), so the user drags it.
  void DragWindow();

  // The skinned buttons on this host register so that dialog keys reach them.
  void RegisterButton(TKelCustomButton& button);
  void UnregisterButton(TKelCustomButton& button);
  // Enter or Escape: clicks the button that takes it. True when one did.
  bool DialogKey(UINT virtualKey);
  // The focus moved to newFocus: every registered button recomputes whether it is the
  // one Enter presses.
  void FocusChanged(HWND newFocus);

  // The bottom-right corner of the visible windowless controls.
  SIZE ContentExtent() const;

  // Offset subtracted from control positions (the scroll position of a scroll box).
  virtual POINT ScrollOffset() const { return POINT{0, 0}; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void PaintBackground(HDC dc, const RECT& client);

 private:
  TKelControl* ControlAt(POINT clientPoint) const;
  POINT ToControl(const TKelControl& control, POINT clientPoint) const;
  void OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void SetHovered(TKelControl* control);

  std::vector<TKelControl*> controls_;
  std::vector<TKelCustomButton*> buttons_;
  TKelControl* hovered_ = nullptr;
  TKelControl* captured_ = nullptr;
  MouseButton capturedButton_ = MouseButton::Left;
  bool trackingLeave_ = false;
  COLORREF color_ = RGB(0xF4, 0xF6, 0xF8);
  TKelFont font_;
  BackBuffer buffer_;
};

}  // namespace ovalin::controls
