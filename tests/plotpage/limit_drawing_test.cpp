#include "plotpage/limit_drawing.h"

#include <gtest/gtest.h>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Kind;

constexpr Rgb kPaleRed{255, 238, 238};
constexpr Rgb kRed{221, 17, 17};

struct Drawn {
  std::vector<float> fill, outline;
  int outlineWidth;
};

std::vector<Drawn> DrawnLimits(const test::RecordingCanvas& canvas) {
  std::vector<Drawn> drawn;
  int width = 1;
  for (const auto& c : canvas.commands) {
    if (c.kind == Kind::LineWidth)
      width = c.width;
    if (c.kind == Kind::FillRect && c.colour == kPaleRed)
      drawn.push_back({test::Corners(c), {}, 0});
    if (c.kind == Kind::Rect && c.colour == kRed && !drawn.empty())
      drawn.back().outline = test::Corners(c), drawn.back().outlineWidth = width;
  }
  return drawn;
}

// Plot 100 Hz .. 10 kHz (1 kHz at x = 6500), +10 dB at y = 1000, -60 dB at y = 7000.
TEST(DrawLimits, BoxesHeldAtThePlotEdges) {
  test::PlotTestContext t;
  t.record.LimitsOn = 1;
  AddGainLimit(t.record, 1, kFloorFromDc, 1000, -25);    // DC and -300 dB held at the edges
  AddGainLimit(t.record, 1, kCeilingUpward, 1000, -25);  // upward and 100 dB held too
  AddGainLimit(t.record, 1, kFloorFromDc, 1000, -25);
  t.record.LimitStart[3][1] = 0;  // never set: not drawn
  AddGainLimit(t.record, 1, kCeilingFromDc, 1000, -25);
  t.record.LimitStart[4][1] = 1000;  // a point: outlined 30 units around it
  t.record.LimitTop[4][1] = -25;
  LimitDrawing(t.canvas, t.record).DrawLimits(1);
  const auto drawn = DrawnLimits(t.canvas);
  ASSERT_EQ(drawn.size(), 3u);
  const std::vector<std::vector<float>> fills{
      {2000, 4000, 6500, 7000}, {6500, 1000, 11000, 4000}, {6500, 4000, 6500, 4000}};
  for (std::size_t k = 0; k < 3; ++k) {
    for (std::size_t c = 0; c < 4; ++c)
      EXPECT_NEAR(drawn[k].fill[c], fills[k][c], 0.01) << k << " " << c;
    EXPECT_EQ(drawn[k].outlineWidth, 3);
  }
  EXPECT_EQ(drawn[0].outline, drawn[0].fill);
  EXPECT_NEAR(drawn[2].outline[0], 6470, 0.01);
  EXPECT_NEAR(drawn[2].outline[3], 4030, 0.01);
  EXPECT_EQ(t.canvas.commands.back().width, 1);
  t.canvas.commands.clear();
  t.record.LimitsOn = 0;
  LimitDrawing(t.canvas, t.record).DrawLimits(1);
  EXPECT_TRUE(t.canvas.commands.empty());
}

// The masks lie on the white box and under the grid.
TEST(DrawLimits, DrawnBetweenTheBoxAndTheGrid) {
  test::PlotPageFixture f;
  f.record.LimitsOn = 1;
  AddGainLimit(f.record, 1, kFloorFromDc, 1000, -25);
  f.canvas.commands.clear();
  f.link.RedrawPlot();
  const auto& commands = f.canvas.commands;
  std::size_t box = 0, mask = 0, grid = 0;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (commands[i].kind == Kind::FillRect && commands[i].colour == Rgb{255, 255, 255} && !box)
      box = i;
    if (commands[i].kind == Kind::FillRect && commands[i].colour == kPaleRed)
      mask = i;
    if (commands[i].kind == Kind::Line && commands[i].colour == Rgb{102, 102, 102} && !grid)
      grid = i;
  }
  EXPECT_LT(box, mask);
  EXPECT_LT(mask, grid);
}

}  // namespace
}  // namespace kestro
