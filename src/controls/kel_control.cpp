#include "controls/kel_control.h"

#include "controls/control_host.h"

namespace ovalin::controls {

TKelControl::TKelControl() {
  font_.OnChange = [this] { FontChanged(); };
}

TKelControl::~TKelControl() {
  if (host_ != nullptr) host_->RemoveControl(*this);
}

void TKelControl::SetBounds(int left, int top, int width, int height) {
  const RECT next{left, top, left + width, top + height};
  if (EqualRect(&next, &bounds_)) return;
  Invalidate();
  bounds_ = next;
  BoundsChanged();
  Invalidate();
}

void TKelControl::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  if (host_ != nullptr) host_->InvalidateArea(bounds_);
}

void TKelControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Invalidate();
}

void TKelControl::Invalidate() const {
  if (host_ != nullptr && visible_) host_->InvalidateArea(bounds_);
}

void TKelControl::MouseDown(MouseButton button, POINT p) {
  if (OnMouseDown) OnMouseDown(button, p);
}

void TKelControl::MouseUp(MouseButton button, POINT p) {
  if (OnMouseUp) OnMouseUp(button, p);
}

void TKelControl::MouseMove(POINT, bool) {}

void TKelControl::Click() {
  if (OnClick) OnClick();
}

void TKelControl::DragHostWindow() const {
  if (host_ != nullptr) host_->DragWindow();
}

}  // namespace ovalin::controls
