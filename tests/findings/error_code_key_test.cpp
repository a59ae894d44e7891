#include "findings_model/error_code_key.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace ovalin {
namespace {

TEST(ErrorCodeKeyTest, EachRunMapsToItsKeys) {
  struct Case {
    std::uint32_t code;
    int key;
  };
  const Case cases[] = {
      {0x00, 0},  {0x02, 2},  {0x20, 3},  {0x29, 12}, {0x30, 13}, {0x46, 35},
      {0x48, 36}, {0x4B, 39}, {0x60, 40}, {0x67, 47}, {0x6A, 50}, {0x7F, 71},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorCodeKeyNumber(c.code), c.key) << "code " << c.code;
}

TEST(ErrorCodeKeyTest, CodesBetweenTheRunsHaveNoKey) {
  for (std::uint32_t code : {0x03u, 0x1Fu, 0x2Au, 0x2Fu, 0x47u, 0x4Cu, 0x5Fu}) {
    EXPECT_EQ(ErrorCodeKeyNumber(code), -1) << "code " << code;
  }
}

TEST(ErrorCodeKeyTest, BitSevenAndHigherBitsAreIgnored) {
  EXPECT_EQ(ErrorCodeKeyNumber(0x80 | 0x20), 3);
  EXPECT_EQ(ErrorCodeKeyNumber(0x1200 | 0x60), 40);
  EXPECT_EQ(ErrorCodeKeyNumber(0xFF), 71);
}

}  // namespace
}  // namespace ovalin
