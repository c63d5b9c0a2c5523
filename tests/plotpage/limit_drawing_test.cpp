#include "plotpage/limit_drawing.h"

#include <gtest/gtest.h>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Kind;

// Plot 100 Hz .. 10 kHz (1 kHz at x = 6500), +10 dB at y = 1000, -60 dB at y = 7000. DC, upward,
// the floor's -300 dB and the ceiling's 100 dB are held at the box edges; a limit never set is
// not drawn; a point is outlined 30 units around. The masks lie on the white box, under the grid.
TEST(DrawLimits, BoxesHeldAtThePlotEdgesUnderTheGrid) {
  test::PlotPageFixture f;
  f.record.LimitsOn = 1;
  AddGainLimit(f.record, 1, kFloorFromDc, 1000, -25);
  AddGainLimit(f.record, 1, kCeilingUpward, 1000, -25);
  AddGainLimit(f.record, 1, kFloorFromDc, 1000, -25);
  f.record.LimitStart[3][1] = 0;
  AddGainLimit(f.record, 1, kCeilingFromDc, 1000, -25);
  f.record.LimitStart[4][1] = 1000, f.record.LimitTop[4][1] = -25;
  f.canvas.commands.clear();
  f.link.RedrawPlot();
  std::vector<std::vector<float>> fills, outlines;
  std::size_t box = 0, firstMask = 0, grid = 0;
  for (std::size_t i = 0; i < f.canvas.commands.size(); ++i) {
    const auto& c = f.canvas.commands[i];
    if (c.kind == Kind::FillRect && c.colour == Rgb{255, 238, 238}) {
      fills.push_back(test::Corners(c));
      firstMask = firstMask ? firstMask : i;
    }
    if (c.kind == Kind::Rect && c.colour == Rgb{221, 17, 17})
      outlines.push_back(test::Corners(c));
    box = !box && c.kind == Kind::FillRect && c.colour == Rgb{255, 255, 255} ? i : box;
    grid = !grid && c.kind == Kind::Line && c.colour == Rgb{102, 102, 102} ? i : grid;
  }
  const std::vector<std::vector<float>> expected{
      {2000, 4000, 6500, 7000}, {6500, 1000, 11000, 4000}, {6500, 4000, 6500, 4000}};
  ASSERT_EQ(fills.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    for (std::size_t c = 0; c < 4; ++c)
      EXPECT_NEAR(fills[k][c], expected[k][c], 0.01) << k << " " << c;
  }
  EXPECT_EQ(outlines[0], fills[0]);
  EXPECT_NEAR(outlines[2][0], 6470, 0.01);
  EXPECT_NEAR(outlines[2][3], 4030, 0.01);
  EXPECT_LT(box, firstMask);
  EXPECT_LT(firstMask, grid);
}

}  // namespace
}  // namespace kestro
