// Turns mouse-wheel deltas into whole rows. A notched wheel sends 120 per notch; touchpads
// and smooth wheels send smaller deltas, which add up here until they make a row, so that
// a slow swipe scrolls as far as the same distance turned on a notched wheel.
#pragma once

namespace ovalin::controls {

class WheelSteps {
 public:
  static constexpr int kDeltaPerNotch = 120;  // WHEEL_DELTA

  // delta: the message's signed wheel delta (positive: away from the user, towards the
  // top); rowsPerNotch: the rows one notch scrolls. Returns the whole rows to move, with
  // the sign of delta; what is left over waits for the next delta in that direction.
  int Add(int delta, int rowsPerNotch) {
    // A turn the other way starts afresh rather than first paying back the rest.
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
    const long long total = rest_ + static_cast<long long>(delta) * rowsPerNotch;
    const long long rows = total / kDeltaPerNotch;  // toward zero
    rest_ = total - rows * kDeltaPerNotch;
    return static_cast<int>(rows);
  }
  void Reset() { rest_ = 0; }

 private:
  long long rest_ = 0;  // in units of delta * rows, below one row's worth
};

}  // namespace ovalin::controls
