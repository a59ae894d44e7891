// A manual-reset event: signalled means "go". Windows uses a kernel event (so that a
// user-interface thread can wait on it together with its message queue); elsewhere a
// mutex and a condition variable.
#pragma once

#include <cstdint>
#include <memory>

namespace ovalin::platform {

class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool initiallySignalled);
  ~ManualResetEvent();
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // Waits until signalled.
  void Wait();
  // Waits at most timeoutMs milliseconds; true when signalled.
  bool WaitFor(std::uint32_t timeoutMs);
  // Waits until signalled and resets it in one step: at most one waiter passes per Set.
  void WaitAndReset();
  // The kernel handle on Windows, nullptr elsewhere.
  void* NativeHandle() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The calling thread's message queue, for code that must keep a user interface alive
// while it waits.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Handles every message waiting in the calling thread's queue without waiting for one.
  virtual void ProcessPending() = 0;
  // Blocks until the event is signalled or a message arrives for the calling thread.
  virtual void WaitForEventOrMessage(ManualResetEvent& event) = 0;
};

// For threads without a message queue: nothing to pump, so just wait for the event.
class NoMessagePump : public MessagePump {
 public:
  void ProcessPending() override {}
  void WaitForEventOrMessage(ManualResetEvent& event) override { event.Wait(); }
};

}  // namespace ovalin::platform
