// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/overlay_drawing.h"

#include <gtest/gtest.h>

#include "files/scratch_folder.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// x of every point drawn in the colour, the first one a dot.
std::vector<float> Drawn(const RecordingCanvas& canvas, Rgb colour) {
  std::vector<float> xs;
  for (const auto& c : canvas.commands) {
    if ((c.kind == Kind::Point || c.kind == Kind::LineTo) && c.colour == colour)
      xs.push_back(c.x1);
  }
  return xs;
}

// Get plot before Save plot says so. The record then names the overlay file in hand. The saved
// curves come back in pale colours, phase and delay only while shown; over an axis now starting at
// 1 kHz the lower points are held at the left edge and 3.16 kHz lies halfway.
TEST(OverlayDrawing, GetPlotDrawsTheSavedCurvesThatAreShown) {
  ScratchFolder folder;
  PlotPageFixture f;
  f.Click("cmdGetPlot");
  EXPECT_EQ(f.dialogs.messages.at(0).title, "File-present test");
  EXPECT_EQ(f.record.SessionFile, "KSTdata.DB");  // the file that was missing
  f.Click("cmdSavePlot");
  f.record.Fstart = 1000;
  f.Click("cmdGetPlot");
  EXPECT_EQ(f.record.SessionFile, "KSTdata.DEL");  // the summary's file name
  const std::vector<float> gain = Drawn(f.canvas, {136, 136, 255});
  ASSERT_EQ(gain.size(), 513u);
  EXPECT_EQ(Drawn(f.canvas, {255, 136, 136}).size(), 0u);
  EXPECT_EQ((std::vector<float>{gain[0], gain[255], gain[512]}),
            (std::vector<float>{2000, 2000, 11000}));
  EXPECT_NEAR(gain[384], 6500, 0.5);
  f.shared.PhaseOn = f.shared.DelayOn = 1;
  f.Click("cmdGetPlot");
  EXPECT_EQ(Drawn(f.canvas, {136, 255, 136}).size(), 513u);
  EXPECT_EQ(Drawn(f.canvas, {255, 136, 136}).size(), 513u);
}

}  // namespace
}  // namespace kestro::test
