#include "controls/kel_button.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/control_host.h"
#include "controls/kel_form.h"
#include "controls/pav_utils.h"
#include "controls/text_draw.h"

namespace ovalin::controls {

namespace {

constexpr wchar_t kButtonClass[] = L"OvalinKelButton";

KeyModifiers CurrentModifiers() {
  return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

// The character after the first single '&' of caption, or 0.
wchar_t AcceleratorOf(const std::u16string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(caption[i + 1]);
  }
  return 0;
}

}  // namespace

TKelCustomButton::TKelCustomButton() {
  auto repaint = [this] { Repaint(); };
  font_.OnChange = [this] {
    if (autoSize_) AdjustSize();
    Repaint();
  };
  FFontMouseHover.OnChange = repaint;
  FFontMouseDown.OnChange = repaint;
  FFontDisabled.OnChange = repaint;
}

TKelCustomButton::~TKelCustomButton() {
  if (host_ != nullptr) host_->UnregisterButton(*this);
}

bool TKelCustomButton::Create(TKelControlHost& parent, int left, int top, int width, int height) {
  if (parent.Handle() == nullptr) return false;
  host_ = &parent;
  parent.RegisterButton(*this);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  if (tabStop_) style |= WS_TABSTOP;
  if (!enabled_) style |= WS_DISABLED;
  if (!CreateWindowOf(kButtonClass, style, 0, left, top, width, height, parent.Handle())) return false;
  FIsActive = FIsDefault;
  if (autoSize_) AdjustSize();
  UpdateTooltip();
  return true;
}

void TKelCustomButton::SetHint(const std::u16string& value) {
  if (value == hint_) return;
  hint_ = value;
  UpdateTooltip();
}

void TKelCustomButton::UpdateTooltip() {
  if (Handle() == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(Handle());
  tool.uId = reinterpret_cast<UINT_PTR>(Handle());
  tool.lpszText = const_cast<wchar_t*>(WidePtr(hint_));
  if (tooltip_) {
    SendMessageW(tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  if (hint_.empty()) return;
  tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
  if (tooltip_) SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TKelCustomButton::SetBounds(int left, int top, int width, int height) {
  if (Handle() != nullptr) SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
RECT ParentRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

int TKelCustomButton::Left() const { return Handle() ? ParentRectOf(Handle()).left : 0; }
int TKelCustomButton::Top() const { return Handle() ? ParentRectOf(Handle()).top : 0; }
int TKelCustomButton::Width() const {
  RECT r{};
  if (Handle()) GetClientRect(Handle(), &r);
  return r.right;
}
int TKelCustomButton::Height() const {
  RECT r{};
  if (Handle()) GetClientRect(Handle(), &r);
  return r.bottom;
}

void TKelCustomButton::SetCaption(std::u16string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  if (Handle() != nullptr) SetWindowTextW(Handle(), WidePtr(caption_));
  if (autoSize_) AdjustSize();
  Repaint();
}

void TKelCustomButton::SetDefault(bool value) {
  FIsDefault = value;
  if (Handle() != nullptr && host_ != nullptr) host_->FocusChanged(GetFocus());
}

void TKelCustomButton::SetTabStop(bool value) {
  tabStop_ = value;
  if (Handle() == nullptr) return;
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
}

void TKelCustomButton::SetEnabled(bool value) {
  enabled_ = value;
  if (Handle() != nullptr) EnableWindow(Handle(), value ? TRUE : FALSE);
  Repaint();
}

bool TKelCustomButton::Visible() const { return Handle() != nullptr && IsWindowVisible(Handle()); }

void TKelCustomButton::SetVisible(bool value) {
  if (Handle() != nullptr) ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE);
}

void TKelCustomButton::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value) AdjustSize();
}

void TKelCustomButton::SetAutoSizeMaxWidth(int value) {
  FAutoSizeMaxWidth = value;
  if (autoSize_) AdjustSize();
}

void TKelCustomButton::SetAutoSizeMaxHeight(int value) {
  FAutoSizeMaxHeight = value;
  if (autoSize_) AdjustSize();
}

void TKelCustomButton::SetTextTrimming(TKelTextTrimmingType value) {
  if (value == FTextTrimmingType) return;
  FTextTrimmingType = value;
  FTextDrawFlags = ApplyTextTrimming(FTextDrawFlags, value);
  Repaint();
}

void TKelCustomButton::SetWordWrap(bool value) {
  FTextDrawFlags = ApplyWordWrap(FTextDrawFlags, value);
  Repaint();
}

void TKelCustomButton::SetTextAlignment(TKelAlignment value) { Store(FTextAlignment, value); }

void TKelCustomButton::Repaint() const {
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

TextLayoutInput TKelCustomButton::CaptionLayoutInput() const {
  TextLayoutInput in;
  in.width = Width();
  in.height = Height();
  in.flags = FTextDrawFlags;
  in.alignment = FTextAlignment;
  in.textPoint = FTextPoint;
  in.margins = FTextMargins;
  return in;
}

TKelFont& TKelCustomButton::StateFont() {
  switch (SelectButtonFont(VisualState(), FIsEnableMultiFonts)) {
    case ButtonFontSlot::MouseHover: return FFontMouseHover;
    case ButtonFontSlot::MouseDown: return FFontMouseDown;
    case ButtonFontSlot::Disabled: return FFontDisabled;
    case ButtonFontSlot::Font: break;
  }
  return font_;
}

HFONT TKelCustomButton::HandleOf(TKelFont& font) {
  int slot = 0;
  if (&font == &FFontMouseHover) slot = 1;
  else if (&font == &FFontMouseDown) slot = 2;
  else if (&font == &FFontDisabled) slot = 3;
  return fontCache_[slot].For(font);
}

void TKelCustomButton::AdjustSize() {
  if (!autoSize_ || Handle() == nullptr) return;
  WindowDc dc(Handle());
  SelectScope font(dc.Get(), HandleOf(font_));
  const TKelSize size =
      ButtonAutoSize(CaptionLayoutInput(), FAutoSizeMaxWidth, FAutoSizeMaxHeight,
                     {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                     GdiMeasurer(dc.Get(), caption_));
  SetWindowPos(Handle(), nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const TKelPicture& TKelCustomButton::GetCurrentPicture() const {
  const std::array<bool, 4> present{!FPictureNormal.Empty(), !FPictureMouseHover.Empty(),
                                    !FPictureMouseDown.Empty(), !FPictureDisabled.Empty()};
  switch (SelectButtonPicture(VisualState(), present)) {
    case ButtonPictureSlot::MouseHover: return FPictureMouseHover;
    case ButtonPictureSlot::MouseDown: return FPictureMouseDown;
    case ButtonPictureSlot::Disabled: return FPictureDisabled;
    case ButtonPictureSlot::Normal: break;
  }
  return FPictureNormal;
}

void TKelCustomButton::DrawPicture(HDC dc, const TKelPicture& picture) {
  if (picture.Empty()) return;
  const TKelRect r = PlacePicture(FPictureAlignment, {Width(), Height()}, {picture.Width(), picture.Height()},
                                  FPicturePoint, FPictureMargins, FIsStretch);
  picture.DrawStretched(dc, ToRect(r));
}

void TKelCustomButton::DrawCaption(HDC dc, const std::u16string& text) {
  if (text.empty()) return;
  TKelFont& font = StateFont();
  SelectScope select(dc, HandleOf(font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorOf(font));
  const TextLayout layout = ovalin::controls::CalcTextRect(CaptionLayoutInput(), GdiMeasurer(dc, text));
  RECT r = ToRect(layout.rect);
  if (pointer_.Down()) OffsetRect(&r, 1, 1);
  ovalin::controls::DrawCaption(dc, text, r, layout.flags);
}

void TKelCustomButton::PaintTo(HDC dc) {
  if (FIsTransparent) {
    PaintParentBackground(dc, Handle());
  } else {
    UniqueBrush brush(CreateSolidBrush(color_));
    RECT r{0, 0, Width(), Height()};
    FillRect(dc, &r, brush.Get());
  }
  DrawPicture(dc, GetCurrentPicture());
  if (FIsDrawBorder) DrawBorderFrame(dc);
  if (FIsDrawFocused && Focused() && tabStop_) DrawFocus(dc);
  DrawCaption(dc, caption_);
}

void TKelCustomButton::Click() {
  pointer_.Clicked();
  Repaint();
  if (host_ != nullptr) {
    auto* form = dynamic_cast<TKelForm*>(Window::FromHandle(GetAncestor(Handle(), GA_ROOT)));
    if (form != nullptr) form->SetModalResult(FModalResult);
  }
  const std::u16string url = TrimBlanks(FURL);
  if (!url.empty()) OpenAddress(Handle(), url);
  if (OnClick) OnClick();
}

bool TKelCustomButton::HandleDialogKey(UINT virtualKey) {
  const bool canFocus = Handle() != nullptr && enabled_ && IsWindowVisible(Handle());
  if (!DialogKeyClicks(virtualKey == VK_RETURN, virtualKey == VK_ESCAPE, CurrentModifiers(), FIsActive,
                       FIsCancel, canFocus)) {
    return false;
  }
  Click();
  return true;
}

bool TKelCustomButton::HandleAccelerator(wchar_t character) {
  const wchar_t accel = AcceleratorOf(caption_);
  if (accel == 0 || CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(accel))) !=
                        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(character)))) {
    return false;
  }
  if (!enabled_) return false;
  Click();
  return true;
}

void TKelCustomButton::UpdateActive(const TKelCustomButton* focused) {
  FIsActive = ButtonIsActive(focused != nullptr, focused == this, FIsDefault);
}

void TKelCustomButton::SetInside(bool inside) {
  if (inside == inside_) return;
  inside_ = inside;
  if (inside) {
    pointer_.Enter();
    Repaint();
    if (OnMouseEnter) OnMouseEnter();
  } else if (pointer_.Leave()) {
    Repaint();
    if (OnMouseExit) OnMouseExit();
  }
}

void TKelCustomButton::OnMouseMove(POINT p, WPARAM keys) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
    trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
  }
  const bool inside = p.x >= 0 && p.y >= 0 && p.x <= Width() && p.y <= Height();
  SetInside(inside);
  if (!inside && pointer_.MoveOutside((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0)) Repaint();
}

LRESULT TKelCustomButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Handle());
      if (buffer_.Ensure(paint.Dc(), Width(), Height())) {
        PaintTo(buffer_.Dc());
        BitBlt(paint.Dc(), 0, 0, Width(), Height(), buffer_.Dc(), 0, 0, SRCCOPY);
      } else {
        PaintTo(paint.Dc());
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      Repaint();
      return 0;
    case WM_ENABLE:
      enabled_ = wParam != FALSE;
      if (!enabled_) pointer_.Cancel();
      Repaint();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (GetCapture() != Handle()) SetInside(false);
      return 0;
    case WM_LBUTTONDOWN: {
      pointer_.LeftDown();
      inside_ = true;
      if (tabStop_ && enabled_ && IsWindowVisible(Handle()) && GetFocus() != Handle()) SetFocus(Handle());
      SetCapture(Handle());
      Repaint();
      if (OnMouseDown) OnMouseDown(MouseButton::Left, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const bool inside = p.x >= 0 && p.y >= 0 && p.x <= Width() && p.y <= Height();
      const bool click = message == WM_LBUTTONUP && pointer_.ButtonUp(inside);
      if (message != WM_LBUTTONUP) pointer_.ButtonUp(inside);
      inside_ = inside;
      if (GetCapture() == Handle()) ReleaseCapture();
      Repaint();
      if (click) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle() && pointer_.Down()) {
        pointer_.Cancel();
        inside_ = false;
        Repaint();
      }
      return 0;
    case WM_DESTROY:
      // Destroying the top-level window has already destroyed the tooltip it owns.
      if (tooltip_ && !IsWindow(tooltip_.Get())) tooltip_.Release();
      tooltip_.Reset();
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_BUTTON;
    case WM_KEYDOWN:
      if ((wParam == VK_SPACE || wParam == VK_RETURN) && enabled_) {
        pointer_.KeyDown();
        Repaint();
      }
      if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && host_ != nullptr) {
        host_->DialogKey(static_cast<UINT>(wParam));
        return 0;
      }
      if (wParam == VK_TAB) {
        HWND next = GetNextDlgTabItem(GetParent(Handle()), Handle(), GetKeyState(VK_SHIFT) < 0);
        if (next != nullptr) SetFocus(next);
        return 0;
      }
      break;
    case WM_KEYUP:
      if ((wParam == VK_SPACE || wParam == VK_RETURN) && enabled_ && Focused() && pointer_.KeyUp()) {
        Repaint();
        Click();
        return 0;
      }
      break;
    case WM_SYSCHAR:
      if (host_ != nullptr) {
        // Alt + the accelerator of any skinned button of this window.
        HWND parent = GetParent(Handle());
        for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
          auto* button = dynamic_cast<TKelCustomButton*>(Window::FromHandle(child));
          if (button != nullptr && button->HandleAccelerator(static_cast<wchar_t>(wParam))) return 0;
        }
      }
      break;
    case WM_SETFOCUS:
      if (host_ != nullptr) host_->FocusChanged(Handle());
      Repaint();
      return 0;
    case WM_KILLFOCUS:
      if (host_ != nullptr) host_->FocusChanged(reinterpret_cast<HWND>(wParam));
      if (pointer_.Down() && GetCapture() != Handle()) pointer_.Cancel();
      Repaint();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

// TKelImageButton

void TKelImageButton::SetStyle(TKelImageButtonStyle value) {
  if (value == FButtonStyle) return;
  FButtonStyle = value;
  const int margins = StyleMargins(DrawBorder(), DrawFocused());
  SetPictureMargins(margins);
  SetTextMargins(margins);
  Repaint();
}

namespace {

void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2) {
  UniquePen pen(CreatePen(PS_SOLID, 1, color));
  SelectScope select(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// Two-line bevel: outer pair on the outside edge, inner pair one pixel in.
void Bevel(HDC dc, int w, int h, COLORREF outerLight, COLORREF innerLight, COLORREF outerDark,
           COLORREF innerDark) {
  Line(dc, outerLight, 0, h - 1, 0, 0);
  Line(dc, outerLight, 0, 0, w - 1, 0);
  Line(dc, innerLight, 1, h - 2, 1, 1);
  Line(dc, innerLight, 1, 1, w - 2, 1);
  Line(dc, outerDark, 0, h - 1, w - 1, h - 1);
  Line(dc, outerDark, w - 1, h - 1, w - 1, -1);
  Line(dc, innerDark, 1, h - 2, w - 2, h - 2);
  Line(dc, innerDark, w - 2, h - 2, w - 2, 0);
}

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kLight = 0xF1EFE2;
constexpr COLORREF kDark = 0x716F64;
constexpr COLORREF kMid = 0xACA899;

}  // namespace

void TKelImageButton::DrawBorderFrame(HDC dc) {
  if (!Visible() || !DrawBorder()) return;
  const int w = Width();
  const int h = Height();
  switch (SelectButtonBorder(FButtonStyle, VisualState())) {
    case ButtonBorder::None: break;
    case ButtonBorder::Raised: Bevel(dc, w, h, kWhite, kLight, kDark, kMid); break;
    case ButtonBorder::Sunken: Bevel(dc, w, h, kDark, kMid, kWhite, kLight); break;
    case ButtonBorder::Frame: {
      UniqueBrush brush(CreateSolidBrush(kMid));
      RECT r{0, 0, w, h};
      FrameRect(dc, &r, brush.Get());
      break;
    }
  }
}

void TKelImageButton::DrawFocus(HDC dc) {
  if (!Visible() || IsMouseDown() || !DrawFocused() || !Focused() || !TabStop()) return;
  const int inset = DrawBorder() ? 4 : 2;
  RECT r{inset, inset, Width() - inset, Height() - inset};
  if (r.right <= r.left || r.bottom <= r.top) return;
  // A grey solid frame one pixel outside a dark dotted one.
  RECT outer{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
  UniqueBrush grey(CreateSolidBrush(0x808080));
  FrameRect(dc, &outer, grey.Get());
  const LOGBRUSH lb{BS_SOLID, 0x202020, 0};
  UniquePen dotted(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
  SelectScope pen(dc, dotted.Get());
  SelectScope brush(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace ovalin::controls
