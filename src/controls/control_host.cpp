#include "controls/control_host.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/control_texts.h"
#include "controls/kel_button.h"

namespace ovalin::controls {

namespace {

MouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

bool AnyButtonHeld(WPARAM keys) { return (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0; }

}  // namespace

void TKelControlHost::AddControl(TKelControl& control) {
  if (control.host_ == this) return;
  if (control.host_ != nullptr) control.host_->RemoveControl(control);
  controls_.push_back(&control);
  control.host_ = this;
  control.HostChanged();
  control.Invalidate();
}

void TKelControlHost::RemoveControl(TKelControl& control) {
  auto it = std::find(controls_.begin(), controls_.end(), &control);
  if (it == controls_.end()) return;
  control.Invalidate();
  controls_.erase(it);
  control.host_ = nullptr;
  if (hovered_ == &control) hovered_ = nullptr;
  if (captured_ == &control) captured_ = nullptr;
}

void TKelControlHost::SetColor(COLORREF value) {
  color_ = value;
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void TKelControlHost::InvalidateArea(const RECT& controlArea) {
  if (Handle() == nullptr) return;
  const POINT offset = ScrollOffset();
  RECT r = controlArea;
  OffsetRect(&r, -offset.x, -offset.y);
  InvalidateRect(Handle(), &r, FALSE);
}

void TKelControlHost::PaintBackground(HDC dc, const RECT& client) {
  UniqueBrush brush(CreateSolidBrush(color_));
  FillRect(dc, &client, brush.Get());
}

void TKelControlHost::PaintContent(HDC dc, const RECT& area) {
  RECT client{};
  GetClientRect(Handle(), &client);
  PaintBackground(dc, client);
  const POINT offset = ScrollOffset();
  for (TKelControl* control : controls_) {
    if (!control->Visible()) continue;
    RECT bounds = control->BoundsRect();
    OffsetRect(&bounds, -offset.x, -offset.y);
    RECT overlap{};
    if (!IntersectRect(&overlap, &bounds, &area)) continue;
    DcStateScope state(dc);
    IntersectClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
    control->Paint(dc);
  }
}

SIZE TKelControlHost::ContentExtent() const {
  SIZE extent{0, 0};
  for (const TKelControl* control : controls_) {
    if (!control->Visible()) continue;
    extent.cx = std::max<LONG>(extent.cx, control->BoundsRect().right);
    extent.cy = std::max<LONG>(extent.cy, control->BoundsRect().bottom);
  }
  return extent;
}

void TKelControlHost::DragWindow() {
  HWND top = GetAncestor(Handle(), GA_ROOT);
  if (top == nullptr) return;
  ReleaseCapture();
  SendMessageW(top, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void TKelControlHost::RegisterButton(TKelCustomButton& button) {
  if (std::find(buttons_.begin(), buttons_.end(), &button) == buttons_.end()) buttons_.push_back(&button);
}

void TKelControlHost::UnregisterButton(TKelCustomButton& button) {
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), &button), buttons_.end());
}

bool TKelControlHost::DialogKey(UINT virtualKey) {
  // Copy: a click may close the window and change the list.
  const std::vector<TKelCustomButton*> buttons = buttons_;
  for (TKelCustomButton* button : buttons) {
    if (button->HandleDialogKey(virtualKey)) return true;
  }
  return false;
}

void TKelControlHost::FocusChanged(HWND newFocus) {
  TKelCustomButton* focused = nullptr;
  for (TKelCustomButton* button : buttons_) {
    if (button->Handle() == newFocus) focused = button;
  }
  for (TKelCustomButton* button : buttons_) button->UpdateActive(focused);
}

TKelControl* TKelControlHost::ControlAt(POINT p) const {
  const POINT offset = ScrollOffset();
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TKelControl* c = *it;
    if (!c->Visible() || !c->Enabled()) continue;
    RECT bounds = c->BoundsRect();
    OffsetRect(&bounds, -offset.x, -offset.y);
    if (PtInRect(&bounds, p)) return c;
  }
  return nullptr;
}

POINT TKelControlHost::ToControl(const TKelControl& control, POINT p) const {
  const POINT offset = ScrollOffset();
  return POINT{p.x + offset.x - control.Left(), p.y + offset.y - control.Top()};
}

void TKelControlHost::SetHovered(TKelControl* control) {
  if (hovered_ == control) return;
  TKelControl* old = hovered_;
  hovered_ = control;
  if (old != nullptr) old->MouseLeave();
  if (control != nullptr) control->MouseEnter();
}

void TKelControlHost::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
      }
      TKelControl* under = ControlAt(p);
      if (captured_ != nullptr) {
        // While captured, only the captured control is entered or left.
        SetHovered(under == captured_ ? captured_ : nullptr);
        captured_->MouseMove(ToControl(*captured_, p), AnyButtonHeld(wParam));
        return;
      }
      SetHovered(under);
      if (under != nullptr) under->MouseMove(ToControl(*under, p), AnyButtonHeld(wParam));
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      TKelControl* under = ControlAt(p);
      if (under == nullptr || captured_ != nullptr) return;
      SetHovered(under);
      captured_ = under;
      capturedButton_ = ButtonOf(message);
      SetCapture(Handle());
      under->MouseDown(capturedButton_, ToControl(*under, p));
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TKelControl* control = captured_;
      if (control == nullptr || ButtonOf(message) != capturedButton_) return;
      captured_ = nullptr;
      if (GetCapture() == Handle()) ReleaseCapture();
      const POINT local = ToControl(*control, p);
      control->MouseUp(capturedButton_, local);
      const bool inside = local.x >= 0 && local.y >= 0 && local.x < control->Width() &&
                          local.y < control->Height();
      if (capturedButton_ == MouseButton::Left && inside && control->Host() == this) control->Click();
      SetHovered(ControlAt(p));
      return;
    }
    default:
      return;
  }
}

std::u16string TKelControlHost::ControlTexts() const {
  std::u16string lines;
  for (const TKelControl* control : controls_) {
    if (!control->Visible() || *control->TextKind() == u'\0') continue;
    lines += ControlTextLine(control->TextKind(), control->BoundsRect(), control->Enabled(),
                             control->Text());
  }
  for (const TKelCustomButton* button : buttons_) {
    if (button->Handle() == nullptr || !IsWindowVisible(button->Handle())) continue;
    RECT bounds{};
    GetWindowRect(button->Handle(), &bounds);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    lines += ControlTextLine(u"button", bounds, button->Enabled(), button->Caption());
  }
  return lines;
}

LRESULT TKelControlHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ControlTextsMessage()) {
    SendControlTexts(Handle(), reinterpret_cast<HWND>(wParam), ControlTexts());
    return 1;
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Handle());
      RECT client{};
      GetClientRect(Handle(), &client);
      if (buffer_.Ensure(paint.Dc(), client.right, client.bottom)) {
        const RECT& area = paint.Area();
        PaintContent(buffer_.Dc(), area);
        BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
               buffer_.Dc(), area.left, area.top, SRCCOPY);
      } else {
        PaintContent(paint.Dc(), paint.Area());  // no memory for a buffer: draw directly
      }
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(Handle(), &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      OnMouseMessage(message, wParam, lParam);
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (captured_ == nullptr) SetHovered(nullptr);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle() && captured_ != nullptr) {
        // Someone else took the mouse (a window drag, a menu): no click can follow.
        TKelControl* control = captured_;
        captured_ = nullptr;
        control->MouseLeave();
        hovered_ = nullptr;
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        TKelControl* under = ControlAt(p);
        if (under != nullptr && under->Cursor() != nullptr) {
          ::SetCursor(under->Cursor());
          return TRUE;
        }
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace ovalin::controls
