// Pointer state machines of the skinned link labels and buttons (normal, hovering,
// pressed) and the click plan of labels. The Win32 controls feed them the mouse events
// and repaint when a call reports a change; the native tests drive them directly.
#pragma once

#include <string>
#include <string_view>

namespace ovalin::controls {

// TKelCustomButton. "armed" remembers a left press on the button so that the release
// inside it is a click, as the platform's own buttons do.
class ButtonPointer {
 public:
  bool Hover() const { return hover_; }
  bool Down() const { return down_; }

  void LeftDown() { down_ = true; hover_ = false; armed_ = true; }
  // Any button released; true when it completes a click.
  bool ButtonUp(bool inside) {
    const bool click = armed_ && inside;
    hover_ = inside;
    down_ = false;
    armed_ = false;
    return click;
  }
  // Pointer moved outside the bounds; true when the look changed.
  bool MoveOutside(bool buttonHeld) {
    if (buttonHeld) return false;
    hover_ = false;
    down_ = false;
    return true;
  }
  void Enter() { hover_ = true; down_ = false; }
  // True when the look changed (leaving while pressed keeps the state).
  bool Leave() {
    if (down_) return false;
    hover_ = false;
    return true;
  }
  // Capture lost to someone else: no click can follow.
  void Cancel() { hover_ = false; down_ = false; armed_ = false; }
  // Space or Enter held on the focused, enabled button.
  void KeyDown() { down_ = true; }
  // Released: true when it clicks.
  bool KeyUp() {
    if (!down_) return false;
    down_ = false;
    return true;
  }
  void Clicked() { hover_ = true; down_ = false; }

 private:
  bool hover_ = false;
  bool down_ = false;
  bool armed_ = false;
};

// Pointer state of a TKelURLLabel. With moveHandler a press drags the window instead and
// the other events change nothing.
class LinkPointer {
 public:
  explicit LinkPointer(bool moveHandler = false) : moveHandler_(moveHandler) {}
  void SetMoveHandler(bool value) { moveHandler_ = value; }
  bool MoveHandler() const { return moveHandler_; }
  bool Hover() const { return hover_; }
  bool Down() const { return down_; }

  enum class PressResult { DragWindow, Pressed, Ignored };
  PressResult Press(bool leftButton) {
    if (!leftButton) return PressResult::Ignored;
    if (moveHandler_) return PressResult::DragWindow;
    down_ = true;
    hover_ = false;
    return PressResult::Pressed;
  }
  // True when the look changed.
  bool Release(bool inside) {
    if (moveHandler_) return false;
    hover_ = inside;
    down_ = false;
    return true;
  }
  bool MoveOutside(bool buttonHeld) {
    if (moveHandler_ || buttonHeld) return false;
    hover_ = false;
    down_ = false;
    return true;
  }
  bool Enter() {
    if (moveHandler_ || down_) return false;
    hover_ = true;
    return true;
  }
  bool Leave() {
    if (moveHandler_) return false;
    hover_ = false;
    down_ = false;
    return true;
  }

 private:
  bool moveHandler_;
  bool hover_ = false;
  bool down_ = false;
};

// What a click on a label does after its click event.
struct LabelClickPlan {
  bool callOnCommand = false;
  bool openUrl = false;  // and, for a link, set Visited when the open succeeds
};
// TKelLabel: OnCommand when set, then the URL when not empty. TKelURLLabel: only
// OnCommand when set, otherwise the URL.
LabelClickPlan PlanLabelClick(bool isLink, bool hasOnCommand, std::u16string_view trimmedUrl);

// Leading and trailing blanks and control characters removed.
std::u16string TrimBlanks(std::u16string_view text);

// True when a failed open of address should offer the open-with dialog: its extension,
// upper-cased, is ".HTM".
bool NeedsOpenWithFallback(std::u16string_view address);

}  // namespace ovalin::controls
