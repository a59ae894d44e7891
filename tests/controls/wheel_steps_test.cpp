#include "skin_logic/wheel_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace ovalin::controls {
namespace {

// Each case feeds a series of deltas and expects the rows each one moves.
TEST(WheelSteps, SmallDeltasAddUpToRows) {
  struct Case {
    const char* name;
    int rowsPerNotch;
    std::vector<int> deltas;
    std::vector<int> rows;
  };
  const Case cases[] = {
      {"notched wheel", 3, {120, 120, -120}, {3, 3, -3}},
      {"touchpad: 10 per message", 3, {10, 10, 10, 10, 10, 10, 10, 10}, {0, 0, 0, 1, 0, 0, 0, 1}},
      {"smooth wheel: 30 per message", 3, {30, 30, 30, 30}, {0, 1, 1, 1}},
      {"towards the user", 3, {-40, -40, -40}, {-1, -1, -1}},
      {"a turn back starts afresh", 3, {30, -30, -30}, {0, 0, -1}},
      {"one row per notch", 1, {60, 60, 60}, {0, 1, 0}},
      {"two notches at once", 3, {240}, {6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WheelSteps steps;
    std::vector<int> moved;
    for (int delta : c.deltas) moved.push_back(steps.Add(delta, c.rowsPerNotch));
    EXPECT_EQ(moved, c.rows);
  }
}

TEST(WheelSteps, ResetDropsTheRest) {
  WheelSteps steps;
  EXPECT_EQ(steps.Add(30, 3), 0);
  steps.Reset();
  EXPECT_EQ(steps.Add(30, 3), 0);
  EXPECT_EQ(steps.Add(10, 3), 1);
}

}  // namespace
}  // namespace ovalin::controls
