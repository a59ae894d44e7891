// The calling thread's Win32 message queue.
#pragma once

#include "platform/event.h"

namespace ovalin::platform::win32 {

class Win32MessagePump : public MessagePump {
 public:
  // Dispatches every waiting message. WM_QUIT is dropped: the thread's own message loop
  // decides when to end, not a wait in the middle of it.
  void ProcessPending() override;
  // Sleeps in MsgWaitForMultipleObjects until the event is signalled or input arrives.
  void WaitForEventOrMessage(ManualResetEvent& event) override;
};

}  // namespace ovalin::platform::win32
