#include "platform/win32/win32_message_pump.h"

#include "platform/win32/win32_text.h"

namespace ovalin::platform::win32 {

void Win32MessagePump::ProcessPending() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void Win32MessagePump::WaitForEventOrMessage(ManualResetEvent& event) {
  HANDLE handle = static_cast<HANDLE>(event.NativeHandle());
  ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
}

}  // namespace ovalin::platform::win32
