#include "engine/scan_gate.h"

namespace ovalin {

platform::ManualResetEvent& ScanGate() {
  static platform::ManualResetEvent gate(true);
  return gate;
}

}  // namespace ovalin
