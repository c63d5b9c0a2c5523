#include "core/gain_limits.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kestro {
namespace {

using Fields = std::tuple<float, float, float, float, float>;  // shape, start, stop, top, bottom

Fields LimitFields(const DesignRecord& r, int j) {
  const auto i = static_cast<std::size_t>(j);
  return {r.LimitShape[i][1], r.LimitStart[i][1], r.LimitStop[i][1], r.LimitTop[i][1],
          r.LimitBottom[i][1]};
}

// A click fills the two sides it names; the others stand for DC, upward or open.
TEST(AddGainLimit, FillsEachShapeFromTheClick) {
  DesignRecord r;
  EXPECT_TRUE(AddGainLimit(r, 1, kFloorFromDc, 1000, -1));
  EXPECT_TRUE(AddGainLimit(r, 1, kCeilingUpward, 2500, -40));
  EXPECT_TRUE(AddGainLimit(r, 1, kCeilingFromDc, 500, 3));
  EXPECT_EQ(r.NrLimits[1], 3);
  const std::vector<Fields> expected{
      {1, 0.01f, 1000, -1, -300}, {2, 2500, 1e10f, 100, -40}, {4, 0.01f, 500, 100, 3}};
  for (int j = 1; j <= 3; ++j)
    EXPECT_EQ(LimitFields(r, j), expected[static_cast<std::size_t>(j - 1)]) << j;
}

TEST(AddGainLimit, TheTenthLimitAndABadSetChangeNothing) {
  DesignRecord r;
  for (int n = 1; n <= 9; ++n)
    EXPECT_TRUE(AddGainLimit(r, 1, kFloorFromDc, 100.0f * static_cast<float>(n), -1)) << n;
  const DesignRecord before = r;
  EXPECT_FALSE(AddGainLimit(r, 1, kCeilingUpward, 5000, -40));
  EXPECT_EQ(std::tie(r.NrLimits, r.LimitShape, r.LimitStart),
            std::tie(before.NrLimits, before.LimitShape, before.LimitStart));
  EXPECT_FALSE(AddGainLimit(r, 0, kFloorFromDc, 5000, -40));
  EXPECT_FALSE(AddGainLimit(r, 16, kFloorFromDc, 5000, -40));
  r.NrLimits[2] = -7;  // a damaged count starts again from none
  EXPECT_TRUE(AddGainLimit(r, 2, kFloorFromDc, 5000, -40));
  EXPECT_EQ(r.NrLimits[2], 1);
}

TEST(EraseAllLimits, EmptiesEverySet) {
  DesignRecord r;
  AddGainLimit(r, 1, kFloorFromDc, 1000, -1);
  AddGainLimit(r, 15, kCeilingUpward, 1000, -1);
  r.LimitStop[15][15] = 7;
  EraseAllLimits(r);
  const DesignRecord empty;
  EXPECT_EQ(
      std::tie(r.NrLimits, r.LimitShape, r.LimitStart, r.LimitStop, r.LimitTop, r.LimitBottom),
      std::tie(empty.NrLimits, empty.LimitShape, empty.LimitStart, empty.LimitStop, empty.LimitTop,
               empty.LimitBottom));
}

// Columns start at 10 (shape), 23 (band start), 37 (band stop), 52 (minimum) and 70 (maximum).
TEST(LimitListRow, FixedColumnsDcAndUpward) {
  DesignRecord r;
  AddGainLimit(r, 1, kFloorFromDc, 1000, -1);
  AddGainLimit(r, 1, kCeilingUpward, 2500, -40);
  const std::vector<std::string> rows{
      "   Gain   Shape: 1     DC up to       1K            minimum: -1       maximum: -300  ",
      "   Gain   Shape: 2     from 2.5K      upward        minimum: 100      maximum: -40  "};
  for (int j = 1; j <= 2; ++j) {
    const std::string row = LimitListRow(r, j);
    EXPECT_EQ(row, rows[static_cast<std::size_t>(j - 1)]);
    EXPECT_EQ(
        std::vector<std::size_t>({row.find("Shape"), row.find("minimum"), row.find("maximum")}),
        std::vector<std::size_t>({10, 52, 70}));
  }
  r.LimitStop[2][1] = 123456;  // a long stop pushes the minimum column right
  EXPECT_EQ(LimitListRow(r, 2).find("minimum"), 52u);
}

TEST(LimitIsListed, NeedsAShapeAndABand) {
  DesignRecord r;
  AddGainLimit(r, 1, kFloorFromDc, 1000, -1);
  AddGainLimit(r, 1, kFloorFromDc, 1000, -1);
  AddGainLimit(r, 1, kFloorFromDc, 1000, -1);
  r.LimitStart[2][1] = 0;
  r.LimitShape[3][1] = 0;
  EXPECT_EQ(std::vector<bool>({LimitIsListed(r, 1), LimitIsListed(r, 2), LimitIsListed(r, 3),
                               LimitIsListed(r, 16)}),
            std::vector<bool>({true, false, false, false}));
}

}  // namespace
}  // namespace kestro
