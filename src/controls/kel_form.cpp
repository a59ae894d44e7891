#include "controls/kel_form.h"

#include "controls/kel_button.h"
#include "controls/pav_utils.h"

namespace ovalin::controls {

namespace {

constexpr wchar_t kFormClass[] = L"OvalinKelForm";

}  // namespace

bool TKelForm::Create(HWND owner, const Options& options, const std::u16string& caption) {
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  if (options.sysMenu) style |= WS_SYSMENU;
  if (options.minimizeBox) style |= WS_MINIMIZEBOX;
  const DWORD exStyle = (options.appWindow ? WS_EX_APPWINDOW : 0) | WS_EX_CONTROLPARENT;
  quitOnDestroy_ = options.quitOnDestroy;
  RECT r{0, 0, options.clientWidth, options.clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return CreateWindowOf(kFormClass, style, exStyle, 0, 0, r.right - r.left, r.bottom - r.top, owner,
                        WidePtr(caption));
}

void TKelForm::SetCaption(const std::u16string& caption) {
  if (Handle() != nullptr) SetWindowTextW(Handle(), WidePtr(caption));
}

void TKelForm::Show() {
  if (Handle() == nullptr) return;
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
}

void TKelForm::CentreOnScreen() {
  if (Handle() == nullptr) return;
  RECT r{};
  GetWindowRect(Handle(), &r);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - (r.right - r.left)) / 2;
  const int y = work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2;
  SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TKelForm::Close() {
  if (Handle() == nullptr) return;
  if (OnClose) OnClose();
  if (Handle() == nullptr) return;
  if (shownModally_) ShowWindow(Handle(), SW_HIDE);
  else DestroyWindow(Handle());
}

bool TKelForm::TranslateDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  auto* form = dynamic_cast<TKelForm*>(Window::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
  if (form == nullptr || !IsWindowEnabled(form->Handle())) return false;
  const auto key = static_cast<UINT>(msg.wParam);
  if (form->ShortcutKey(key)) return true;
  // Skinned buttons handle Enter, Escape and Tab themselves.
  if (dynamic_cast<TKelCustomButton*>(Window::FromHandle(msg.hwnd)) != nullptr) return false;
  if (key == VK_TAB) {
    const HWND from = msg.hwnd == form->Handle() ? nullptr : msg.hwnd;
    const HWND next = GetNextDlgTabItem(form->Handle(), from, GetKeyState(VK_SHIFT) < 0);
    if (next != nullptr && next != msg.hwnd) SetFocus(next);
    return true;
  }
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  if (form->Handle() == msg.hwnd) return false;  // the form handles its own
  return form->DialogKey(key);
}

LRESULT TKelForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_KEYDOWN:
      if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && DialogKey(static_cast<UINT>(wParam))) return 0;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else {
        // Give the keyboard focus back to the control that had it, else to the form, so
        // that Enter and Escape arrive.
        if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) &&
            IsWindowEnabled(lastFocus_) && IsWindowVisible(lastFocus_)) {
          SetFocus(lastFocus_);
        } else {
          SetFocus(Handle());
          FocusChanged(Handle());
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return TKelControlHost::HandleMessage(message, wParam, lParam);
}

void TKelForm::WindowDestroyed() {
  if (quitOnDestroy_) PostQuitMessage(0);
}

}  // namespace ovalin::controls
