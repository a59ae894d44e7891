// Shows a skinned window modally over its owner with a message loop of its own: the
// owner is disabled while the window is visible, and a second window over the same owner
// is refused. The owners being shown over are marked with a window property (the
// disabled-owner list), so that no program-wide state is needed.
#pragma once

#include <windows.h>

namespace ovalin::controls {

class TKelForm;

// One ShowModalOver call: hooks the owner's and the window's messages and undoes every
// change when it ends, also on an error.
class TDoModal {
 public:
  TDoModal(TKelForm& child, HWND parent);
  ~TDoModal();
  TDoModal(const TDoModal&) = delete;
  TDoModal& operator=(const TDoModal&) = delete;

  // Disables the owner for as long as the window is shown over it.
  void DisableParent();
  // Restores the owner: unhooks it and, when DisableParent disabled it, enables it and
  // brings it to the front. Runs once.
  void ReleaseParent();

 private:
  static LRESULT CALLBACK ParentHook(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK ChildHook(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void RemoveFromDisabledOwners();

  HWND FParentForm;
  TKelForm& FChildForm;
  bool FHasAttachParentProc = false;
  bool FHasAttachChildProc = false;
  // Set only by DisableParent: an activation message that arrives before the owner was
  // disabled (Wine sends one while the window is being shown) must not give it back
  // early, or the owner would be disabled afterwards and stay so.
  bool FParentDisabled = false;
};

// Shows child over parent, centred on it when centre is set, and returns child's
// ModalResult once the window is hidden (or a button with a ModalResult other than 0 was
// clicked, which hides it). Returns 0 without showing anything when a window is missing,
// parent is not visible, or parent is disabled or already has a window shown over it.
// A WM_QUIT ends the loop and is posted again for the caller's loop.
int ShowModalOver(TKelForm& child, HWND parent, bool centre);

}  // namespace ovalin::controls
