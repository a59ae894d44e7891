// Ctrl+C during a clean: the clean stops between two findings and still finishes its
// backup set and the set's section, instead of dying with a set nobody lists.
#pragma once

#ifndef _WIN32
#include <csignal>
#endif

namespace ovalin::cli {

// While a guard exists, Ctrl+C and Ctrl+Break (Windows) or SIGINT and SIGTERM (POSIX)
// no longer end the process; they are noted for Requested(). One guard at a time.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  bool Requested() const;

#ifndef _WIN32
 private:
  struct sigaction previousInterrupt_ {};
  struct sigaction previousTerminate_ {};
#endif
};

}  // namespace ovalin::cli
