// The process-wide scan gate: at most one scan worker runs rules at a time, however many
// cleaners exist. Created open on first use.
#pragma once

#include "platform/event.h"

namespace ovalin {

platform::ManualResetEvent& ScanGate();

}  // namespace ovalin
