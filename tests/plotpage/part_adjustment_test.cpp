#include "plotpage/part_adjustment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot_test_context.h"
#include "usecase/design_command.h"

namespace kestro {
namespace {

using test::Names;
using test::PlotPageFixture;
using test::Read;
using Floats = std::vector<float>;
const std::vector<int> kManualAndModified = {kManual, 1};

Names VisibleControls(Page& page) {
  Names shown;
  for (const Control& c : page.Controls()) {
    if (c.visible)
      shown.push_back(c.name);
  }
  return shown;
}

// Each panel locks the other commands and shows its controls; Clear returns to the plain page.
TEST(PartAdjustment, PanelsOpenAloneAndClearReturnsToThePlainPage) {
  const Names commands = {"cmdTuneWidth",  "cmdTunePart", "cmdEditPart", "cmdNearest5",
                          "cmdMonteCarlo", "cmdLimits",   "cmdMarkers",  "cmdGetPlot",
                          "cmdSavePlot",   "cmdPhase",    "cmdDelay",    "cmdPoles"};
  const Names tune = {"lblStage", "UpDown1", "cmdR1up", "cmdC3down", "lblR2value"};
  const Names edit = {"UpDown2", "txtR1value", "txtC3value", "cmdEnterAll"};
  const Names width = {"cmdWidthDown", "cmdWidthUp", "lblBandwidth"};
  const struct {
    const char* opener;
    const Names& shown;
    Names hidden;
  } panels[] = {{"cmdTunePart", tune, {"UpDown2", "txtR1value", "cmdWidthUp"}},
                {"cmdEditPart", edit, {"UpDown1", "cmdR1up", "lblBandwidth"}},
                {"cmdTuneWidth", width, {"lblStage", "cmdEnterAll"}}};
  for (const auto& p : panels) {
    PlotPageFixture f;
    const Names plain = VisibleControls(*f.page);
    f.Click(p.opener);
    EXPECT_EQ(f.shared.EditPanelOn, 1);
    EXPECT_EQ(f.EnabledOf(commands), Names{p.opener});
    EXPECT_TRUE(f.Enabled("cmdReset"));
    EXPECT_EQ(f.VisibleOf(p.shown), p.shown) << p.opener;
    EXPECT_EQ(f.VisibleOf(p.hidden), Names{}) << p.opener;
    // The panel area is painted with the page background first.
    ASSERT_FALSE(f.canvas.commands.empty());
    EXPECT_EQ(f.canvas.commands[0].colour, (Rgb{238, 255, 255}));

    f["cmd5"].visible = f["cmdMC2"].visible = f["cmdLimit1"].visible = true;
    f.shared.OptimizeStop = 0;
    f.Click("cmdReset");
    EXPECT_EQ(f.shared.EditPanelOn, 0);
    EXPECT_EQ(f.shared.OptimizeStop, 1);
    EXPECT_EQ(f.EnabledOf(commands), commands);
    EXPECT_TRUE(f.Enabled("cmdQuit"));
    EXPECT_EQ(VisibleControls(*f.page), plain) << p.opener;
    EXPECT_TRUE(f.Redrawn());
  }
}

TEST(PartAdjustment, TuningShowsTheSelectedStageAndReopensAtStageOne) {
  PlotPageFixture f(5);  // three-pole stage 1 and two-pole stage 2
  const auto shows = [&f](const char* label, float value) {
    EXPECT_NEAR(Read(f[label].caption), value, value * 1e-4) << label;
  };
  f.Click("cmdTunePart");
  shows("lblR1value", f.record.R[1][1]);
  shows("lblC2value", f.record.C[1][2]);
  f.page->Spin("UpDown1", 7);  // beyond the last stage: the spinner stops at 2
  EXPECT_EQ(f["lblStage"].caption, "2");
  EXPECT_EQ(f.page->Parts().SelectedStage(), 2);
  EXPECT_EQ(f["lblR1value"].caption, "0");  // a two-pole stage has no R1
  shows("lblC3value", f.record.C[2][3]);
  f.Click("cmdReset");
  f.Click("cmdTunePart");
  EXPECT_EQ(f["lblStage"].caption, "1");
  EXPECT_EQ(f.page->Parts().SelectedStage(), 1);
  shows("lblR1value", f.record.R[1][1]);
}

TEST(PartAdjustment, StepChangesOnePartOfTheShownStageByOnePercent) {
  PlotPageFixture f(4);  // Butterworth 1 kHz: R2 of stage 1 is 47 k
  ASSERT_EQ(f.record.R[1][2], 47000.0f);
  f.Click("cmdTunePart");
  const float gainBefore = f.record.Gain[300];
  auto r = f.record.R;
  const auto c = f.record.C;
  f.Click("cmdR2up");
  r[1][2] = 47470.0f;
  EXPECT_EQ(f.record.R, r);
  EXPECT_EQ(f.record.C, c);
  EXPECT_EQ(f["lblR2value"].caption.substr(0, 6), "47.47k");
  EXPECT_EQ(f.FamilyAndModified(), kManualAndModified);
  EXPECT_NE(f.record.Gain[300], gainBefore);  // analysed again
  EXPECT_TRUE(f.Redrawn());
  f.Click("cmdR2down");
  EXPECT_NEAR(f.record.R[1][2], 47000.0f, 47000.0f * 2e-7);  // within the last bit
  f.Click("cmdC3down");
  f.page->Spin("UpDown1", 2);
  f.Click("cmdR1up");  // R1 of a two-pole stage is 0 and stays 0
  f.Click("cmdC3up");
  EXPECT_EQ(f.record.R[2][1], 0.0f);
  EXPECT_FLOAT_EQ(f.record.C[2][3], static_cast<float>(c[2][3] * 1.01));
  EXPECT_FLOAT_EQ(f.record.C[1][3], static_cast<float>(c[1][3] / 1.01));
  f.Click("cmdReset");
  EXPECT_FALSE(f.Enabled("cmdPoles"));  // the design is manual now
}

// Stage 2 has two poles: its R1 typed as 0 and its C1 at or below the 1e-13 floor stay absent.
TEST(PartAdjustment, EnterAllClampsEveryBoxAndTakesItIntoTheSelectedStage) {
  const Names boxes = {"txtR1value", "txtR2value", "txtR3value",
                       "txtC1value", "txtC2value", "txtC3value"};
  const std::pair<Names, Floats> rounds[] = {
      {{"", "1", "100M", "2,2n", "0.1p", "1m"}, {0, 10, 1e7f, 2.2e-9f, 1e-12f, 1e-5f}},
      {{"1", "10", "10M", "-5n", "1p", "10u"}, {10, 10, 1e7f, 1e-13f, 1e-12f, 1e-5f}},
      {{"100", "22k", "33k", "1p", "10n", "1n"}, {100, 22000, 33000, 1e-12f, 1e-8f, 1e-9f}}};
  for (const auto& [typed, stored] : rounds) {
    PlotPageFixture f(4);
    f.Click("cmdEditPart");
    f.page->Spin("UpDown2", 2);
    EXPECT_NEAR(Read(f["txtC2value"].caption), f.record.C[2][2], f.record.C[2][2] * 1e-4);
    const auto stage1 = f.record.R[1];
    for (std::size_t i = 0; i < boxes.size(); ++i)
      f.page->Type(boxes[i], typed[i]);
    f.Click("cmdEnterAll");
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_FLOAT_EQ(i < 3 ? f.record.R[2][i + 1] : f.record.C[2][i - 2], stored[i]) << typed[i];
      EXPECT_FLOAT_EQ(Read(f[boxes[i]].caption), stored[i]) << typed[i];
      EXPECT_EQ(f["lbl" + boxes[i].substr(3, 2) + "editValue"].caption, f[boxes[i]].caption);
    }
    EXPECT_EQ(f.record.R[1], stage1);
    EXPECT_EQ(f.FamilyAndModified(), kManualAndModified);
    EXPECT_TRUE(f.Redrawn());
  }
}

// Enter all over untouched boxes keeps every part to the last bit (the boxes show fewer digits)
// and the family; in the three-pole stage 1 of order 5, R1 and C1 are parts like any other.
TEST(PartAdjustment, EnterAllWithoutAnEditChangesNothing) {
  PlotPageFixture f(5);
  const DesignRecord before = f.record;
  f.Click("cmdEditPart");
  f.Click("cmdEnterAll");
  EXPECT_EQ(f.record.R, before.R);
  EXPECT_EQ(f.record.C, before.C);
  EXPECT_EQ(f.record.Family, kButterworth);
  f.page->Type("txtR1value", "0");
  f.page->Type("txtC1value", "0");
  f.Click("cmdEnterAll");
  EXPECT_EQ((Floats{f.record.R[1][1], f.record.C[1][1], f.record.C[1][2]}),
            (Floats{10, 1e-12f, before.C[1][2]}));
}

// A Design command after a hand change keeps the hand-made parts and shows the family as manual.
TEST(PartAdjustment, DesignCommandAfterAHandChangeKeepsTheParts) {
  const std::vector<const char*> changes[] = {
      {"cmdTunePart", "cmdC2up"}, {"cmdEditPart", "cmdEnterAll"}, {"cmdNearest5"}};
  for (const auto& clicks : changes) {
    PlotPageFixture f(5);
    f.Click(clicks.front());
    f.page->Type("txtR2value", "12k");  // the edit that Enter all takes
    for (std::size_t i = 1; i < clicks.size(); ++i)
      f.Click(clicks[i]);
    const auto r = f.record.R;
    const auto c = f.record.C;
    FinishDesignCommand(f.record, f.dialogs);
    EXPECT_EQ(f.FamilyAndModified(), kManualAndModified) << clicks.back();
    EXPECT_EQ(f.record.R, r) << clicks.back();
    EXPECT_EQ(f.record.C, c) << clicks.back();
  }
}

// (order + 1) / 2 stages, but the saved values of `order` stages are restored.
TEST(PartAdjustment, RestoreCopiesTheSavedValuesOfEveryStageUpToTheOrder) {
  for (const int16_t order : std::initializer_list<int16_t>{3, 5, 7}) {
    PlotPageFixture f(order);
    for (std::size_t s = 1; s <= 8; ++s) {
      for (std::size_t k = 1; k <= 3; ++k) {
        f.record.Rsaved[s][k] = 1000.0f * static_cast<float>(s) + static_cast<float>(k);
        f.record.Csaved[s][k] = 1e-9f * static_cast<float>(s * 10 + k);
      }
    }
    f.record.Rounded = 1;
    const auto o = static_cast<std::size_t>(order);
    f.record.R[o + 1][2] = 77;  // beyond the order: kept
    f["cmdRestore"].enabled = true;
    f["cmdNearest5"].enabled = false;
    f.Click("cmdRestore");
    for (std::size_t s = 1; s <= o; ++s) {
      EXPECT_EQ((Floats(&f.record.R[s][1], &f.record.R[s][4])),
                (Floats(&f.record.Rsaved[s][1], &f.record.Rsaved[s][4])))
          << order << " " << s;
      EXPECT_EQ(f.record.C[s], f.record.Csaved[s]) << order << " " << s;
    }
    EXPECT_EQ(f.record.R[o + 1][2], 77.0f);
    EXPECT_EQ(f.record.Rounded, 0);
    EXPECT_EQ(f.record.Family, kButterworth);  // Restore leaves the family alone
    EXPECT_EQ(f.EnabledOf({"cmdRestore", "cmdNearest5"}), Names{"cmdNearest5"});
    EXPECT_TRUE(f.Redrawn());
  }
}

}  // namespace
}  // namespace kestro
