#include "controls/clipboard.h"

#include <cstring>

namespace ovalin::controls {

namespace {

// The clipboard, open for as long as this object lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// Global memory that is freed unless the clipboard took it over.
class MovableMemory {
 public:
  explicit MovableMemory(SIZE_T bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  ~MovableMemory() {
    if (memory_ != nullptr) GlobalFree(memory_);
  }
  MovableMemory(const MovableMemory&) = delete;
  MovableMemory& operator=(const MovableMemory&) = delete;
  HGLOBAL Get() const { return memory_; }
  void Release() { memory_ = nullptr; }

 private:
  HGLOBAL memory_;
};

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::u16string& text) {
  const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
  MovableMemory memory(bytes);
  if (memory.Get() == nullptr) return false;
  void* target = GlobalLock(memory.Get());
  if (target == nullptr) return false;
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory.Get());

  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

}  // namespace ovalin::controls
