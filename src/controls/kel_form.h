// The base of the skinned windows: a borderless top-level window (no system caption, no
// sizing frame) of a fixed client size that paints its background and windowless
// controls double-buffered (TKelControlHost), hands Enter and Escape to its skinned
// buttons, and holds the ModalResult a button click sets.
#pragma once

#include <functional>
#include <string>

#include "controls/control_host.h"

namespace ovalin::controls {

class TKelForm : public TKelControlHost {
 public:
  struct Options {
    int clientWidth = 0;
    int clientHeight = 0;
    // Task-bar button (WS_EX_APPWINDOW), for the main window.
    bool appWindow = false;
    bool sysMenu = true;
    bool minimizeBox = false;
    // Post WM_QUIT when the window is destroyed (the main window).
    bool quitOnDestroy = false;
  };

  // Created hidden. owner: the window it stays above (nullptr for the main window).
  bool Create(HWND owner, const Options& options, const std::u16string& caption);
  void SetCaption(const std::u16string& caption);
  void Show();
  void CentreOnScreen();

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  // Set while ShowModalOver shows the window: closing then hides it.
  bool ShownModally() const { return shownModally_; }
  void SetShownModally(bool value) { shownModally_ = value; }

  // Closes the window: hidden when shown modally, destroyed otherwise. OnClose runs first.
  void Close();
  std::function<void()> OnClose;

  // The keyboard of a form, wherever its focus is: call from a message loop before
  // dispatching msg. The form's shortcut keys first (ShortcutKey); then, for windows of
  // the form that are not skinned buttons (an edit, a list), Tab and Shift+Tab move to the
  // next or previous tab stop and Enter and Escape press the default or cancel button.
  // True when msg was used.
  static bool TranslateDialogKey(const MSG& msg);

 protected:
  // A key pressed anywhere in the form: true when the form used it for one of its actions.
  virtual bool ShortcutKey(UINT /*virtualKey*/) { return false; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void WindowDestroyed() override;

 private:
  int modalResult_ = 0;
  bool shownModally_ = false;
  bool quitOnDestroy_ = false;
  HWND lastFocus_ = nullptr;
};

}  // namespace ovalin::controls
