// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gain_limits.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

// The edit list's columns start at 10 (shape), 23 (band start), 37 (stop), 52 (minimum) and 70
// (maximum); DC and upward are written out, a long stop pushes the rest right.
TEST(LimitListRow, FixedColumnsDcAndUpward) {
  DesignRecord r;
  AddGainLimit(r, 1, kFloorFromDc, 1000, -1);
  AddGainLimit(r, 1, kCeilingUpward, 2500, -40);
  EXPECT_EQ(
      LimitListRow(r, 1),
      "   Gain   Shape: 1     DC up to       1K            minimum: -1       maximum: -300  ");
  EXPECT_EQ(LimitListRow(r, 2),
            "   Gain   Shape: 2     from 2.5K      upward        minimum: 100      maximum: -40  ");
  r.LimitStop[1][1] = 123456;
  EXPECT_EQ(LimitListRow(r, 1).find("minimum"), 52u);
}

// A set takes nine limits; the tenth, and a set outside 1..15, change nothing.
TEST(AddGainLimit, NineToASet) {
  DesignRecord r;
  for (int n = 1; n <= 9; ++n)
    EXPECT_TRUE(AddGainLimit(r, 1, kFloorFromDc, 100, -1)) << n;
  EXPECT_FALSE(AddGainLimit(r, 1, kCeilingUpward, 5000, -40));
  EXPECT_FALSE(AddGainLimit(r, 16, kFloorFromDc, 5000, -40));
  EXPECT_EQ(r.NrLimits[1], 9);
  EXPECT_EQ(r.LimitShape[10][1], 0.0f);
}

}  // namespace
}  // namespace kestro
