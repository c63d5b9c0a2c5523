// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/part_adjustment.h"

#include <gtest/gtest.h>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

const std::vector<int> kManualAndModified = {kManual, 1};

Names VisibleControls(Page& page) {
  Names shown;
  for (const Control& c : page.Controls()) {
    if (c.visible)
      shown.push_back(c.name);
  }
  return shown;
}

// Each panel locks the other commands and shows its own controls alone; Clear returns to the
// plain page, hiding whatever transient buttons were up.
TEST(PartAdjustment, PanelsOpenAloneAndClearReturnsToThePlainPage) {
  const Names commands = {"cmdTuneWidth",  "cmdTunePart", "cmdEditPart", "cmdNearest5",
                          "cmdMonteCarlo", "cmdLimits",   "cmdMarkers",  "cmdPhase"};
  const Names panelControls = {"cmdR1up", "cmdEnterAll", "lblBandwidth"};
  for (const auto& [opener, shown] : {std::pair{"cmdTunePart", "cmdR1up"},
                                      {"cmdEditPart", "cmdEnterAll"},
                                      {"cmdTuneWidth", "lblBandwidth"}}) {
    SCOPED_TRACE(opener);
    PlotPageFixture f;
    const Names plain = VisibleControls(*f.page);
    f.Click(opener);
    EXPECT_EQ(f.EnabledOf(commands), Names{opener});
    EXPECT_TRUE(f["cmdReset"].enabled);
    EXPECT_EQ(f.VisibleOf(panelControls), Names{shown});
    f["cmd5"].visible = f["cmdMC2"].visible = f["cmdLimit1"].visible = true;
    f.Click("cmdReset");
    EXPECT_EQ(f.EnabledOf(commands), commands);
    EXPECT_EQ(VisibleControls(*f.page), plain);
    EXPECT_TRUE(f.Redrawn());
  }
}

// A step of 1 % changes one part of the stage shown, makes the design hand-made, analyses and
// redraws; a two-pole stage has no R1 to step.
TEST(PartAdjustment, StepChangesOnePartOfTheShownStageByOnePercent) {
  PlotPageFixture f(5);  // three-pole stage 1 (R2 = 47 k) and two-pole stage 2
  f.Click("cmdTunePart");
  const DesignRecord before = f.record;
  f.Click("cmdR2up");
  auto r = before.R;
  r[1][2] = 47470.0f;
  EXPECT_EQ(f.record.R, r);
  EXPECT_EQ(f.record.C, before.C);
  EXPECT_EQ(f["lblR2value"].caption.substr(0, 6), "47.47k");
  EXPECT_EQ(f.FamilyAndModified(), kManualAndModified);
  EXPECT_NE(f.record.Gain[300], before.Gain[300]);  // analysed again
  EXPECT_TRUE(f.Redrawn());
  f.page->Spin("UpDown1", 7);  // beyond the last stage: the spinner stops at 2
  EXPECT_EQ(f["lblStage"].caption, "2");
  EXPECT_EQ(f["lblR1value"].caption, "0");
  f.Click("cmdR1up");
  f.Click("cmdC3down");
  EXPECT_EQ(f.record.R[2][1], 0.0f);
  EXPECT_FLOAT_EQ(f.record.C[2][3], static_cast<float>(before.C[2][3] / 1.01));
}

// Enter all without an edit keeps every part to the last bit (the boxes show fewer digits) and
// the family. Typed values are clamped to 10 ohm..10 Mohm or 1 pF..10 uF and taken into the
// selected stage alone, and every box shows what was taken; a two-pole stage keeps R1 typed as 0
// and C1 below the 1e-13 floor absent, a three-pole stage clamps them like any other part.
TEST(PartAdjustment, EnterAllClampsEveryBoxAndTakesItIntoTheSelectedStage) {
  const Names boxes = {"txtR1value", "txtR2value", "txtR3value",
                       "txtC1value", "txtC2value", "txtC3value"};
  const struct {
    int16_t order;
    int stage;
    Names typed;
    Floats taken;
  } cases[] = {
      {4, 2, {"", "1", "100M", "-5n", "0,1p", "1m"}, {0, 10, 1e7f, 1e-13f, 1e-12f, 1e-5f}},
      {5, 1, {"0", "12k", "20M", "0", "3.3n", "2"}, {10, 12000, 1e7f, 1e-12f, 3.3e-9f, 1e-5f}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("order " + std::to_string(c.order) + ", stage " + std::to_string(c.stage));
    PlotPageFixture f(c.order);
    const DesignRecord before = f.record;
    f.Click("cmdEditPart");
    f.page->Spin("UpDown2", c.stage);
    f.Click("cmdEnterAll");
    EXPECT_EQ(f.record.R, before.R);
    EXPECT_EQ(f.record.C, before.C);
    EXPECT_EQ(f.record.Family, kButterworth);
    for (std::size_t i = 0; i < boxes.size(); ++i)
      f.page->Type(boxes[i], c.typed[i]);
    f.Click("cmdEnterAll");
    const auto other = static_cast<std::size_t>(3 - c.stage);
    EXPECT_EQ(f.record.R[other], before.R[other]);
    const auto s = static_cast<std::size_t>(c.stage);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_FLOAT_EQ(i < 3 ? f.record.R[s][i + 1] : f.record.C[s][i - 2], c.taken[i])
          << c.typed[i];
      EXPECT_FLOAT_EQ(Read(f[boxes[i]].caption), c.taken[i]) << c.typed[i];
    }
    EXPECT_EQ(f.FamilyAndModified(), kManualAndModified);
    EXPECT_TRUE(f.Redrawn());
  }
}

}  // namespace
}  // namespace kestro::test
