#include "controls/win_handles.h"

namespace ovalin::controls {

bool BackBuffer::Ensure(HDC reference, int width, int height) {
  width = width < 1 ? 1 : width;
  height = height < 1 ? 1 : height;
  if (dc_ && width == width_ && height == height_) return true;
  if (!dc_) {
    dc_.Reset(CreateCompatibleDC(reference));
    if (!dc_) return false;
  }
  UniqueBitmap bitmap(CreateCompatibleBitmap(reference, width, height));
  if (!bitmap) return false;
  HGDIOBJ previous = SelectObject(dc_.Get(), bitmap.Get());
  if (original_ == nullptr) original_ = previous;
  bitmap_ = std::move(bitmap);  // the old bitmap is no longer selected: safe to delete
  width_ = width;
  height_ = height;
  return true;
}

}  // namespace ovalin::controls
