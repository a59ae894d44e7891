// The trace hook: a diagnostic entry point that receives a context value, a 32-bit event
// code and a detail value. Codes: bits 28..31 the kind (0x1 event, 0x8 error), bits
// 16..27 the module, bits 12..15 the phase (1 begin, 2 end, 0 single event), bits 0..11
// the step or error number. The program installs no sink, so tracing does nothing;
// tests pass a sink to observe the codes. A sink must never change behaviour.
#pragma once

#include <cstdint>

namespace ovalin::platform {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Trace(std::uintptr_t context, std::uint32_t code, std::uintptr_t detail) = 0;
};

// Raises code on sink when there is one.
inline void RaiseTrace(TraceSink* sink, std::uint32_t code, std::uintptr_t context = 0,
                       std::uintptr_t detail = 0) {
  if (sink != nullptr) sink->Trace(context, code, detail);
}

// Raises the begin code now and the end code on every way out of the scope.
class TraceScope {
 public:
  TraceScope(TraceSink* sink, std::uint32_t beginCode, std::uint32_t endCode)
      : sink_(sink), endCode_(endCode) {
    RaiseTrace(sink_, beginCode);
  }
  ~TraceScope() { RaiseTrace(sink_, endCode_); }
  TraceScope(const TraceScope&) = delete;
  TraceScope& operator=(const TraceScope&) = delete;

 private:
  TraceSink* sink_;
  std::uint32_t endCode_;
};

}  // namespace ovalin::platform
