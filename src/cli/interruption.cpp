#include "cli/interruption.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#endif

namespace ovalin::cli {

namespace {

// The one piece of process-wide state: a signal handler or console control handler has
// nowhere else to leave its note.
std::atomic<bool> interruptRequested{false};

#ifdef _WIN32
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interruptRequested.store(true);
  return TRUE;
}
#else
void OnSignal(int) { interruptRequested.store(true); }
#endif

}  // namespace

InterruptGuard::InterruptGuard() {
  interruptRequested.store(false);
#ifdef _WIN32
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInterrupt_);
  sigaction(SIGTERM, &action, &previousTerminate_);
#endif
}

InterruptGuard::~InterruptGuard() {
#ifdef _WIN32
  ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
#else
  sigaction(SIGINT, &previousInterrupt_, nullptr);
  sigaction(SIGTERM, &previousTerminate_, nullptr);
#endif
}

bool InterruptGuard::Requested() const { return interruptRequested.load(); }

}  // namespace ovalin::cli
