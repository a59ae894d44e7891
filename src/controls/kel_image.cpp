#include "controls/kel_image.h"

namespace ovalin::controls {

void TKelImage::SetPicture(const TKelPicture& value) {
  picture_ = value;
  Invalidate();
}

void TKelImage::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TKelImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TKelImage::Paint(HDC dc) {
  if (picture_.Empty()) return;
  if (stretch_) {
    picture_.DrawStretched(dc, RECT{0, 0, Width(), Height()});
  } else if (center_) {
    picture_.Draw(dc, (Width() - picture_.Width()) / 2, (Height() - picture_.Height()) / 2);
  } else {
    picture_.Draw(dc, 0, 0);
  }
}

void TKelImage::MouseDown(MouseButton button, POINT p) {
  TKelControl::MouseDown(button, p);
  if (m_bIsMoveHandler) DragHostWindow();
}

}  // namespace ovalin::controls
