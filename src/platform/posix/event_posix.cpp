// ManualResetEvent over a mutex and a condition variable.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/event.h"

namespace ovalin::platform {

struct ManualResetEvent::State {
  mutable std::mutex mutex;
  std::condition_variable changed;
  bool signalled = false;
};

ManualResetEvent::ManualResetEvent(bool initiallySignalled) : state_(std::make_unique<State>()) {
  state_->signalled = initiallySignalled;
}

ManualResetEvent::~ManualResetEvent() = default;

void ManualResetEvent::Set() {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->signalled = true;
  }
  state_->changed.notify_all();
}

void ManualResetEvent::Reset() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->signalled = false;
}

bool ManualResetEvent::IsSet() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->signalled;
}

void ManualResetEvent::Wait() {
  std::unique_lock<std::mutex> lock(state_->mutex);
  state_->changed.wait(lock, [this] { return state_->signalled; });
}

bool ManualResetEvent::WaitFor(std::uint32_t timeoutMs) {
  std::unique_lock<std::mutex> lock(state_->mutex);
  return state_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [this] { return state_->signalled; });
}

void ManualResetEvent::WaitAndReset() {
  std::unique_lock<std::mutex> lock(state_->mutex);
  state_->changed.wait(lock, [this] { return state_->signalled; });
  state_->signalled = false;
}

void* ManualResetEvent::NativeHandle() const { return nullptr; }

}  // namespace ovalin::platform
