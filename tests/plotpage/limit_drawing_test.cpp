#include "plotpage/limit_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

using Corners = std::vector<long>;

// Plot 100 Hz .. 10 kHz (1 kHz at x = 6500), +10 dB at y = 1000, -60 dB at y = 7000. DC, upward,
// the floor's -300 dB and the ceiling's 100 dB are held at the box edges; a limit never set is
// not drawn; a point is outlined 30 units around. The masks lie on the white box, under the grid.
TEST(LimitDrawing, MasksHeldAtThePlotEdgesOnTheBoxUnderTheGrid) {
  PlotPageFixture f;
  f.record.LimitsOn = 1;
  AddGainLimit(f.record, 1, kFloorFromDc, 1000, -25);
  AddGainLimit(f.record, 1, kCeilingUpward, 1000, -25);
  AddGainLimit(f.record, 1, kFloorFromDc, 1000, -25);
  f.record.LimitStart[3][1] = 0;
  AddGainLimit(f.record, 1, kCeilingFromDc, 1000, -25);
  f.record.LimitStart[4][1] = 1000, f.record.LimitTop[4][1] = -25;
  f.canvas.commands.clear();
  f.link.RedrawPlot();
  std::vector<Corners> fills, outlines;
  std::vector<Rgb> layers;  // white box, masks and grey grid, each where it first appears
  for (const auto& c : f.canvas.commands) {
    const Corners corners{std::lround(c.x1), std::lround(c.y1), std::lround(c.x2),
                          std::lround(c.y2)};
    if (c.kind == Kind::FillRect && c.colour == Rgb{255, 238, 238})
      fills.push_back(corners);
    if (c.kind == Kind::Rect && c.colour == Rgb{221, 17, 17})
      outlines.push_back(corners);
    const bool layer = c.colour == Rgb{255, 255, 255} || c.colour == Rgb{255, 238, 238} ||
                       c.colour == Rgb{102, 102, 102};
    if (layer && std::find(layers.begin(), layers.end(), c.colour) == layers.end())
      layers.push_back(c.colour);
  }
  ASSERT_EQ(fills,
            (std::vector<Corners>{
                {2000, 4000, 6500, 7000}, {6500, 1000, 11000, 4000}, {6500, 4000, 6500, 4000}}));
  EXPECT_EQ(outlines, (std::vector<Corners>{fills[0], fills[1], {6470, 3970, 6530, 4030}}));
  EXPECT_EQ(layers, (std::vector<Rgb>{{255, 255, 255}, {255, 238, 238}, {102, 102, 102}}));
}

}  // namespace
}  // namespace kestro::test
