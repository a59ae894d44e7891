// A picture on a form (backgrounds, title pictures, logos). Pressing on it raises its
// mouse-down event and then, with MoveHandler, drags the window.
#pragma once

#include "controls/kel_control.h"
#include "controls/kel_picture.h"

namespace ovalin::controls {

class TKelImage : public TKelControl {
 public:
  const TKelPicture& Picture() const { return picture_; }
  void SetPicture(const TKelPicture& value);
  // Scaled to the control's size; otherwise drawn at its natural size, at the top left
  // or, with Center, centred.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool MoveHandler() const { return m_bIsMoveHandler; }
  void SetMoveHandler(bool value) { m_bIsMoveHandler = value; }

  void Paint(HDC dc) override;
  void MouseDown(MouseButton button, POINT p) override;

 private:
  TKelPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool m_bIsMoveHandler = true;
};

}  // namespace ovalin::controls
