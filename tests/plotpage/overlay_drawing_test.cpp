#include "plotpage/overlay_drawing.h"

#include <gtest/gtest.h>

#include "files/scratch_folder.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

constexpr Rgb kPaleGain{136, 136, 255};
constexpr Rgb kPalePhase{136, 255, 136};
constexpr Rgb kPaleDelay{255, 136, 136};

// The points drawn in each pale colour: the first as a dot, the others as lines.
std::vector<int> PointsByColour(const test::RecordingCanvas& canvas) {
  std::vector<int> counts(3);
  for (const auto& c : canvas.commands) {
    if (c.kind != test::Kind::Point && c.kind != test::Kind::LineTo)
      continue;
    counts[0] += c.colour == kPaleGain ? 1 : 0;
    counts[1] += c.colour == kPalePhase ? 1 : 0;
    counts[2] += c.colour == kPaleDelay ? 1 : 0;
  }
  return counts;
}

TEST(PlotOverlay, GetPlotDrawsTheSavedCurvesThatAreShown) {
  test::ScratchFolder folder;
  test::PlotPageFixture f;
  f.Click("cmdGetPlot");  // nothing saved yet
  ASSERT_EQ(f.dialogs.messages.size(), 1u);
  EXPECT_EQ(f.dialogs.messages[0].title, "File-present test");
  EXPECT_EQ(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(PointsByColour(f.canvas), (std::vector<int>{0, 0, 0}));
  f.Click("cmdSavePlot");
  EXPECT_EQ(folder.Entries(),
            (std::vector<std::string>{"KSTdata.DB", "KSTdata.DEL", "KSTdata.PHS"}));
  f.Click("cmdGetPlot");
  EXPECT_EQ(PointsByColour(f.canvas), (std::vector<int>{513, 0, 0}));
  f.shared.PhaseOn = 1, f.shared.DelayOn = 1;
  f.Click("cmdGetPlot");
  EXPECT_EQ(PointsByColour(f.canvas), (std::vector<int>{513, 513, 513}));
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

// A curve saved over 100 Hz .. 10 kHz and got back over 1 kHz .. 10 kHz: the points below 1 kHz
// are held at the left edge; the gain keeps its place on the unchanged gain axis.
TEST(PlotOverlay, PointsOutsideTheNewAxisAreHeldAtTheEdges) {
  test::ScratchFolder folder;
  test::PlotPageFixture f;
  f.Click("cmdSavePlot");
  const float y0 = f.page->Plot().Drawing().Mapping().GainY(f.record.Gain[0]);
  f.record.Fstart = 1000;
  f.Click("cmdGetPlot");
  const auto points = f.canvas.commands;
  std::vector<float> xs;
  for (const auto& c : points) {
    if (c.colour == kPaleGain)
      xs.push_back(c.x1);
  }
  ASSERT_EQ(xs.size(), 513u);
  EXPECT_EQ(xs[0], 2000);
  EXPECT_EQ(xs[255], 2000);
  EXPECT_NEAR(xs[384], 2000 + 9000 * 0.5, 0.5);  // 3.16 kHz: halfway from 1 kHz to 10 kHz
  EXPECT_EQ(xs[512], 11000);
  EXPECT_EQ(f.canvas.OfKind(test::Kind::Point).back().y1, y0);
}

}  // namespace
}  // namespace kestro
