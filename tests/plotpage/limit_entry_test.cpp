#include "plotpage/limit_entry.h"

#include <gtest/gtest.h>

#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Names;
using test::PlotPageFixture;

void ClickShapeAt(PlotPageFixture& f, const char* shape, float x, float y) {
  f.Click(shape);
  f.page->OnMouseDown(1, x, y);
  f.page->OnMouseUp(1, x, y);
}

std::vector<float> Limit(const DesignRecord& r, int j) {
  return {r.LimitShape[j][1], r.LimitStart[j][1], r.LimitStop[j][1], r.LimitTop[j][1],
          r.LimitBottom[j][1]};
}

// Plot 100 Hz .. 10 kHz over 513 points, +10 dB at y = 1000 and -60 dB at y = 7000: x = 6500 is
// point Int(0.5 * 513) = 256, 1 kHz; y = 4000 is -25 dB, y = 1600 +3 dB, y = 7600 -67 dB.
TEST(LimitEntry, AClickAddsTheShapeAtThePointAndGainUnderIt) {
  PlotPageFixture f;
  ClickShapeAt(f, "cmdLimit1", 6500, 4000);
  ClickShapeAt(f, "cmdLimit2", 6500, 1600);
  ClickShapeAt(f, "cmdLimit4", 6500, 7600);  // below the box still counts
  for (const auto& [x, y] : {std::pair{2000.0f, 4000.0f}, {11000.0f, 4000.0f}, {6500.0f, 1000.0f}})
    ClickShapeAt(f, "cmdLimit1", x, y);  // on the left, right and top edges: nothing
  ASSERT_EQ(f.record.NrLimits[1], 3);
  const std::vector<std::vector<float>> expected{
      {1, 0.01f, 1000, -25, -300}, {2, 1000, 1e10f, 100, 3}, {4, 0.01f, 1000, 100, -67}};
  for (int j = 1; j <= 3; ++j) {
    for (std::size_t k = 0; k < 5; ++k)
      EXPECT_NEAR(Limit(f.record, j)[k], expected[j - 1][k], 2e-4) << j << " " << k;
  }
  EXPECT_EQ(f.record.LimitEntrySet, 0) << "every release ends the entry";
  EXPECT_TRUE(f.Redrawn());
}

// The tenth click is refused: the entry stays open, nothing is redrawn, the message line says why.
TEST(LimitEntry, TheTenthClickAddsNothingAndKeepsTheEntryOpen) {
  PlotPageFixture f;
  for (int n = 1; n <= 9; ++n)
    ClickShapeAt(f, "cmdLimit1", 3000.0f + 500.0f * static_cast<float>(n), 4000);
  ClickShapeAt(f, "cmdLimit2", 9000, 4000);
  EXPECT_EQ(std::vector<int>(
                {f.record.NrLimits[1], f.record.LimitEntrySet, f.page->Readout().MouseIsDown()}),
            std::vector<int>({9, 1, -1}));
  EXPECT_FALSE(f.Redrawn());
  EXPECT_LT(test::FindPrint(f.canvas, LimitEntry::kSetFull, 4500), f.canvas.commands.size());
}

// Enter shows the shape buttons and locks the commands that would disturb the entry; the chosen
// shape is green until its limit is added. One limit leaves Optimize off, two switch it on.
TEST(LimitEntry, EnterShapeButtonsAndOptimize) {
  PlotPageFixture f;
  f.link.BeginLimitEntry();
  EXPECT_EQ(f.VisibleOf({"cmdLimit1", "cmdLimit2", "cmdLimit4"}),
            (Names{"cmdLimit1", "cmdLimit2", "cmdLimit4"}));
  EXPECT_EQ(f.EnabledOf({"cmdPoles", "cmdPhase", "cmdSavePlot", "cmdGetPlot", "cmdLimits",
                         "cmdMonteCarlo", "cmdNearest5", "cmdTuneWidth", "cmdTunePart",
                         "cmdEditPart", "cmdDelay", "cmdMarkers"}),
            (Names{"cmdDelay", "cmdMarkers"}));
  EXPECT_LT(test::FindPrint(f.canvas, LimitEntry::kPrompt, 4500), f.canvas.commands.size());
  f.Click("cmdLimit4");
  EXPECT_EQ((std::vector<Rgb>{*f["cmdLimit1"].face, *f["cmdLimit2"].face, *f["cmdLimit4"].face}),
            (std::vector<Rgb>{{221, 255, 255}, {221, 255, 255}, {0, 255, 0}}));
  ClickShapeAt(f, "cmdLimit1", 5000, 3000);
  EXPECT_EQ(*f["cmdLimit1"].face, (Rgb{221, 255, 255}));
  EXPECT_FALSE(f.Enabled("cmdOptimize")) << "one limit";
  ClickShapeAt(f, "cmdLimit2", 9000, 5000);
  EXPECT_TRUE(f.Enabled("cmdOptimize")) << "two limits";
}

}  // namespace
}  // namespace kestro
