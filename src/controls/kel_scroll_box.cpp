#include "controls/kel_scroll_box.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/pav_utils.h"

namespace ovalin::controls {

namespace {

constexpr wchar_t kScrollBoxClass[] = L"OvalinKelScrollBox";
constexpr UINT_PTR kWheelHookId = 0x4B53;  // "KS"

}  // namespace

TKelScrollBox::~TKelScrollBox() { Unhook(); }

bool TKelScrollBox::Create(TKelControlHost& owner, int left, int top, int width, int height) {
  if (!CreateWindowOf(kScrollBoxClass, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, left,
                      top, width, height, owner.Handle())) {
    return false;
  }
  position_ = POINT{0, 0};
  UpdateScrollRange();
  if (SetWindowSubclass(owner.Handle(), OwnerHook, kWheelHookId, reinterpret_cast<DWORD_PTR>(this))) {
    hookedOwner_ = owner.Handle();
  }
  return true;
}

void TKelScrollBox::Unhook() {
  if (hookedOwner_ != nullptr) {
    RemoveWindowSubclass(hookedOwner_, OwnerHook, kWheelHookId);
    hookedOwner_ = nullptr;
  }
}

void TKelScrollBox::UpdateScrollRange() {
  if (Handle() == nullptr) return;
  // The extent is taken from the controls the host paints: their union with the origin.
  SIZE extent{0, 0};
  for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
    extent.cx = std::max<LONG>(extent.cx, r.right + position_.x);
    extent.cy = std::max<LONG>(extent.cy, r.bottom + position_.y);
  }
  extent.cx = std::max<LONG>(extent.cx, ContentExtent().cx);
  extent.cy = std::max<LONG>(extent.cy, ContentExtent().cy);
  extent_ = extent;
  for (int pass = 0; pass < 2; ++pass) {  // showing one bar can make the other necessary
    RECT client{};
    GetClientRect(Handle(), &client);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    si.nMax = extent_.cy - 1;
    si.nPage = static_cast<UINT>(client.bottom);
    si.nPos = position_.y;
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    si.nMax = extent_.cx - 1;
    si.nPage = static_cast<UINT>(client.right);
    si.nPos = position_.x;
    SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
  }
  ScrollTo(position_.x, position_.y);
}

void TKelScrollBox::ScrollTo(int x, int y) {
  if (Handle() == nullptr) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  x = std::max(0, std::min<int>(x, extent_.cx - client.right));
  y = std::max(0, std::min<int>(y, extent_.cy - client.bottom));
  if (x == position_.x && y == position_.y) return;
  const int dx = position_.x - x;
  const int dy = position_.y - y;
  position_ = POINT{x, y};
  SetScrollPos(Handle(), SB_HORZ, x, TRUE);
  SetScrollPos(Handle(), SB_VERT, y, TRUE);
  ScrollWindowEx(Handle(), dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TKelScrollBox::ScrollByWheel(int delta) {
  const bool vertical = (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
  const bool horizontal = (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_HSCROLL) != 0;
  const int step = delta > 0 ? -increment_ : increment_;
  if (vertical) ScrollTo(position_.x, position_.y + step);
  else if (horizontal) ScrollTo(position_.x + step, position_.y);
}

void TKelScrollBox::OnScroll(int bar, int request) {
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), bar, &si);
  int pos = si.nPos;
  switch (request) {
    case SB_LINEUP: pos -= increment_; break;
    case SB_LINEDOWN: pos += increment_; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_VERT) ScrollTo(position_.x, pos);
  else ScrollTo(pos, position_.y);
}

LRESULT TKelScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      // Handled here, not passed to the owner (whose hook would scroll a second time).
      if (FEnableMouseWheel && IsMouseOverControl(*this)) ScrollByWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_SIZE:
      UpdateScrollRange();
      break;
    case WM_DESTROY:
      Unhook();
      break;
    default:
      break;
  }
  return TKelControlHost::HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK TKelScrollBox::OwnerHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* self = reinterpret_cast<TKelScrollBox*>(data);
  if (message == WM_MOUSEWHEEL && self->FEnableMouseWheel && IsMouseOverControl(*self)) {
    self->ScrollByWheel(GET_WHEEL_DELTA_WPARAM(wParam));
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace ovalin::controls
