// ManualResetEvent over a kernel event, so that a user-interface thread can wait on it
// together with its message queue.
#include <mutex>
#include <system_error>

#include "platform/event.h"
#include "platform/win32/win32_text.h"

namespace ovalin::platform {

namespace {

// Only resource exhaustion makes CreateEventW fail; there is no event to work with then.
HANDLE CreateManualResetEvent(bool initiallySignalled) {
  HANDLE handle = ::CreateEventW(nullptr, TRUE, initiallySignalled ? TRUE : FALSE, nullptr);
  if (handle == nullptr) {
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                            "CreateEventW");
  }
  return handle;
}

}  // namespace

struct ManualResetEvent::State {
  explicit State(HANDLE handle) : event(handle) {}
  win32::OwnedHandle event;
  // WaitAndReset callers pass one at a time, so that one Set releases only one of them.
  std::mutex waitAndReset;
};

ManualResetEvent::ManualResetEvent(bool initiallySignalled)
    : state_(std::make_unique<State>(CreateManualResetEvent(initiallySignalled))) {}

ManualResetEvent::~ManualResetEvent() = default;

void ManualResetEvent::Set() { ::SetEvent(state_->event.get()); }

void ManualResetEvent::Reset() { ::ResetEvent(state_->event.get()); }

bool ManualResetEvent::IsSet() const {
  return ::WaitForSingleObject(state_->event.get(), 0) == WAIT_OBJECT_0;
}

void ManualResetEvent::Wait() { ::WaitForSingleObject(state_->event.get(), INFINITE); }

bool ManualResetEvent::WaitFor(std::uint32_t timeoutMs) {
  const DWORD timeout = timeoutMs == INFINITE ? INFINITE - 1 : timeoutMs;
  return ::WaitForSingleObject(state_->event.get(), timeout) == WAIT_OBJECT_0;
}

void ManualResetEvent::WaitAndReset() {
  std::lock_guard<std::mutex> lock(state_->waitAndReset);
  ::WaitForSingleObject(state_->event.get(), INFINITE);
  ::ResetEvent(state_->event.get());
}

void* ManualResetEvent::NativeHandle() const { return state_->event.get(); }

}  // namespace ovalin::platform
