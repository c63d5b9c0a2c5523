#include "plotpage/limit_entry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Names;
using test::PlotPageFixture;

constexpr Rgb kPlain{221, 255, 255};
constexpr Rgb kGreen{0, 255, 0};

// Chooses a shape and clicks at (x, y): press, then release.
void ClickShapeAt(PlotPageFixture& f, const char* shape, float x, float y) {
  f.Click(shape);
  f.page->OnMouseDown(1, x, y);
  f.page->OnMouseUp(1, x, y);
}

// Plot box 100 Hz .. 10 kHz over 513 points, +10 dB at y = 1000 and -60 dB at y = 7000.
TEST(LimitEntry, AClickAddsTheShapeAtThePointAndGainUnderIt) {
  const struct {
    const char* button;
    float x, y;
    std::vector<float> limit;  // shape, start, stop, top, bottom
  } cases[] = {
      // x = 6500 is point Int(0.5 * 513) = 256, 1 kHz; y = 4000 is -25 dB.
      {"cmdLimit1", 6500, 4000, {1, 0.01f, 1000, -25, -300}},
      {"cmdLimit2", 6500, 1600, {2, 1000, 1e10f, 100, 3}},
      {"cmdLimit4", 6500, 7600, {4, 0.01f, 1000, 100, -67}},  // below the box still counts
  };
  for (const auto& c : cases) {
    PlotPageFixture f;
    ClickShapeAt(f, c.button, c.x, c.y);
    ASSERT_EQ(f.record.NrLimits[1], 1) << c.button;
    const std::vector<float> got{f.record.LimitShape[1][1], f.record.LimitStart[1][1],
                                 f.record.LimitStop[1][1], f.record.LimitTop[1][1],
                                 f.record.LimitBottom[1][1]};
    for (std::size_t k = 0; k < got.size(); ++k)
      EXPECT_NEAR(got[k], c.limit[k], std::fabs(c.limit[k]) * 1e-5) << c.button << " " << k;
    EXPECT_EQ(f.record.LimitEntrySet, 0) << "the release ends the entry";
  }
}

TEST(LimitEntry, ClicksOnOrOutsideTheBoxEdgesAddNothing) {
  for (const auto& [x, y] : {std::pair{2000.0f, 4000.0f}, std::pair{11000.0f, 4000.0f},
                             std::pair{6500.0f, 1000.0f}, std::pair{1000.0f, 4000.0f}}) {
    PlotPageFixture f;
    ClickShapeAt(f, "cmdLimit1", x, y);
    EXPECT_EQ(f.record.NrLimits[1], 0) << x << "," << y;
    EXPECT_EQ(f.record.LimitEntrySet, 0) << x << "," << y;
    EXPECT_TRUE(f.Redrawn()) << "every release redraws";
  }
}

// A tenth click is refused: the entry stays open, nothing is redrawn, the message line says why.
TEST(LimitEntry, TheTenthClickAddsNothingAndKeepsTheEntryOpen) {
  PlotPageFixture f;
  for (int n = 1; n <= 9; ++n)
    ClickShapeAt(f, "cmdLimit1", 3000.0f + 500.0f * static_cast<float>(n), 4000);
  ASSERT_EQ(f.record.NrLimits[1], 9);
  ClickShapeAt(f, "cmdLimit2", 9000, 4000);
  EXPECT_EQ(f.record.NrLimits[1], 9);
  EXPECT_EQ(f.record.LimitEntrySet, 1);
  EXPECT_EQ(f.page->Readout().MouseIsDown(), -1);
  EXPECT_FALSE(f.Redrawn());
  EXPECT_LT(test::FindPrint(f.canvas, LimitEntry::kSetFull, 4500), f.canvas.commands.size());
}

TEST(LimitEntry, ShapeButtonsMarkTheChoiceUntilTheLimitIsAdded) {
  PlotPageFixture f;
  EXPECT_EQ(f.VisibleOf({"cmdLimit1", "cmdLimit2", "cmdLimit4"}), Names{});
  f.link.BeginLimitEntry();  // Enter on the limits page
  EXPECT_EQ(f.VisibleOf({"cmdLimit1", "cmdLimit2", "cmdLimit4"}),
            (Names{"cmdLimit1", "cmdLimit2", "cmdLimit4"}));
  EXPECT_EQ(f.EnabledOf({"cmdPoles", "cmdPhase", "cmdSavePlot", "cmdGetPlot", "cmdLimits",
                         "cmdMonteCarlo", "cmdNearest5", "cmdTuneWidth", "cmdTunePart",
                         "cmdEditPart", "cmdDelay", "cmdMarkers"}),
            (Names{"cmdDelay", "cmdMarkers"}));
  EXPECT_LT(test::FindPrint(f.canvas, LimitEntry::kPrompt, 4500), f.canvas.commands.size());
  EXPECT_FALSE(f["cmdLimit1"].picture.empty());
  f.Click("cmdLimit4");
  EXPECT_FALSE(f.Redrawn()) << "only the floor button redraws";
  const std::vector<Rgb> chosen{f["cmdLimit1"].face.value(), f["cmdLimit2"].face.value(),
                                f["cmdLimit4"].face.value()};
  EXPECT_EQ(chosen, (std::vector<Rgb>{kPlain, kPlain, kGreen}));
  f.Click("cmdLimit1");
  EXPECT_TRUE(f.Redrawn());
  f.page->OnMouseDown(1, 5000, 3000);
  f.page->OnMouseUp(1, 5000, 3000);
  EXPECT_EQ(f["cmdLimit1"].face, kPlain);
}

// The guide lines run from the click to the edges the shape extends to.
TEST(LimitEntry, GuideLinesRunToTheShapesEdges) {
  const struct {
    const char* button;
    std::vector<float> across, upDown;
  } cases[] = {{"cmdLimit1", {5000, 3000, 2000, 3000}, {5000, 3000, 5000, 7000}},
               {"cmdLimit2", {5000, 3000, 11000, 3000}, {5000, 3000, 5000, 1000}},
               {"cmdLimit4", {5000, 3000, 2000, 3000}, {5000, 3000, 5000, 1000}}};
  for (const auto& c : cases) {
    PlotPageFixture f;
    f.Click(c.button);
    f.page->OnMouseDown(1, 5000, 3000);
    f.canvas.commands.clear();
    f.page->OnMouseUp(1, 5000, 3000);
    const auto lines = f.canvas.OfKind(test::Kind::Line);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(test::Corners(lines[0]), c.across) << c.button;
    EXPECT_EQ(test::Corners(lines[1]), c.upDown) << c.button;
    EXPECT_EQ(lines[0].colour, (Rgb{255, 0, 0}));
  }
}

TEST(LimitEntry, TwoShownLimitsEnableOptimizeAndHidingDisablesIt) {
  PlotPageFixture f;
  EXPECT_FALSE(f.Enabled("cmdOptimize"));
  ClickShapeAt(f, "cmdLimit1", 5000, 3000);
  EXPECT_FALSE(f.Enabled("cmdOptimize")) << "one limit";
  ClickShapeAt(f, "cmdLimit2", 9000, 5000);
  EXPECT_TRUE(f.Enabled("cmdOptimize")) << "two limits";
  f.link.DisableOptimize();
  f.record.LimitsOn = 0;
  f.link.RedrawPlot();
  EXPECT_FALSE(f.Enabled("cmdOptimize"));
}

}  // namespace
}  // namespace kestro
