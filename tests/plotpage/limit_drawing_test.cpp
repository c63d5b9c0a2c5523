#include "plotpage/limit_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// Plot 100 Hz .. 10 kHz (1 kHz at x = 6500), +10 dB at y = 1000, -60 dB at y = 7000. DC, upward,
// the floor's -300 dB and the ceiling's 100 dB are held at the box edges; a limit whose start was
// never set is not drawn; a point is outlined 30 units around. The masks lie on the white box,
// under the grid.
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
  std::vector<std::vector<long>> masks;  // fills and outlines, in order
  Names layers;                          // where the white box, the masks and the grid begin
  for (const auto& c : f.canvas.commands) {
    const bool mask = c.colour == Rgb{255, 238, 238} || c.colour == Rgb{221, 17, 17};
    if (mask)
      masks.push_back({std::lround(c.x1), std::lround(c.y1), std::lround(c.x2), std::lround(c.y2)});
    const std::string layer = mask ? "mask" : c.colour == Rgb{255, 255, 255} ? "box" : "grid";
    if ((mask || c.colour == Rgb{255, 255, 255} || c.colour == Rgb{102, 102, 102}) &&
        std::ranges::count(layers, layer) == 0)
      layers.push_back(layer);
  }
  EXPECT_EQ(masks, (std::vector<std::vector<long>>{{2000, 4000, 6500, 7000},
                                                   {2000, 4000, 6500, 7000},
                                                   {6500, 1000, 11000, 4000},
                                                   {6500, 1000, 11000, 4000},
                                                   {6500, 4000, 6500, 4000},
                                                   {6470, 3970, 6530, 4030}}));
  EXPECT_EQ(layers, (Names{"box", "mask", "grid"}));
}

}  // namespace
}  // namespace kestro::test
