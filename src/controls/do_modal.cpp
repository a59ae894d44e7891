#include "controls/do_modal.h"

#include <commctrl.h>

#include "controls/kel_form.h"
#include "controls/pav_utils.h"
#include "skin_logic/modal_logic.h"

namespace ovalin::controls {

namespace {

constexpr wchar_t kDisabledOwnerProperty[] = L"OvalinModalOwner";
constexpr UINT_PTR kParentHookId = 0x444D50;  // "DMP"
constexpr UINT_PTR kChildHookId = 0x444D43;   // "DMC"

bool IsDisabledOwner(HWND hwnd) { return GetPropW(hwnd, kDisabledOwnerProperty) != nullptr; }

}  // namespace

TDoModal::TDoModal(TKelForm& child, HWND parent) : FParentForm(parent), FChildForm(child) {
  FHasAttachParentProc =
      SetWindowSubclass(FParentForm, ParentHook, kParentHookId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  FHasAttachChildProc =
      SetWindowSubclass(child.Handle(), ChildHook, kChildHookId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  SetWindowLongPtrW(child.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
}

TDoModal::~TDoModal() {
  ReleaseParent();
  if (FHasAttachChildProc && FChildForm.Handle() != nullptr) {
    RemoveWindowSubclass(FChildForm.Handle(), ChildHook, kChildHookId);
  }
  RemoveFromDisabledOwners();
  FChildForm.SetShownModally(false);
}

void TDoModal::DisableParent() {
  EnableWindow(FParentForm, FALSE);
  FParentDisabled = true;
  // Marked only now: a failure before leaves no mark (the destructor removes it anyway).
  SetPropW(FParentForm, kDisabledOwnerProperty, reinterpret_cast<HANDLE>(1));
}

void TDoModal::ReleaseParent() {
  if (FHasAttachParentProc) {
    FHasAttachParentProc = false;
    RemoveWindowSubclass(FParentForm, ParentHook, kParentHookId);
  }
  if (!FParentDisabled) return;
  FParentDisabled = false;
  EnableWindow(FParentForm, TRUE);
  ForceForegroundWindow(FParentForm);
}

void TDoModal::RemoveFromDisabledOwners() { RemovePropW(FParentForm, kDisabledOwnerProperty); }

LRESULT CALLBACK TDoModal::ParentHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR) {
  if (message == WM_SETCURSOR) {
    // The disabled owner shows the plain cursor, not its controls' cursors.
    DefWindowProcW(hwnd, message, wParam, lParam);
    return -1;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TDoModal::ChildHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
  auto* self = reinterpret_cast<TDoModal*>(data);
  if (message == WM_ACTIVATE && self->FParentDisabled && !IsWindowVisible(hwnd)) {
    // The window is closing: give the owner back before anything else is activated.
    self->ReleaseParent();
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

int ShowModalOver(TKelForm& child, HWND parent, bool centre) {
  if (child.Handle() == nullptr || parent == nullptr || !IsWindow(parent) || !IsWindowVisible(parent) ||
      !IsWindowEnabled(parent) || IsDisabledOwner(parent)) {
    return 0;
  }
  TDoModal modal(child, parent);
  child.SetShownModally(true);
  child.SetModalResult(0);
  if (centre) {
    RECT p{};
    RECT c{};
    GetWindowRect(parent, &p);
    GetWindowRect(child.Handle(), &c);
    const TKelPoint at = CentreOver({p.left, p.top, p.right, p.bottom}, {c.right - c.left, c.bottom - c.top});
    SetWindowPos(child.Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(child.Handle(), SW_SHOW);
  SetActiveWindow(child.Handle());
  modal.DisableParent();

  bool quit = false;
  WPARAM quitCode = 0;
  while (!quit && child.Handle() != nullptr && IsWindowVisible(child.Handle())) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = msg.wParam;
        break;
      }
      if (TKelForm::TranslateDialogKey(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (quit) break;
    if (child.Handle() != nullptr && child.ModalResult() != 0 && IsWindowVisible(child.Handle())) {
      ShowWindow(child.Handle(), SW_HIDE);
      break;
    }
    // Wait for the next message, at most 5 ms, instead of spinning.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  const int result = child.ModalResult();
  modal.ReleaseParent();
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

}  // namespace ovalin::controls
