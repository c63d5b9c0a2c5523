#include "plotpage/part_adjustment.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/plot_page_controls.h"
#include "synthesis/design_command.h"

namespace kestro {
namespace {

using test::FamilyAndModified;
using test::Names;
using test::PlotPageFixture;
using test::Read;
using Floats = std::vector<float>;
const std::vector<int> kManualAndModified = {kManual, 1};

Names Join(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Each panel locks the other commands and shows its controls; Clear returns to the plain page.
TEST(PartPanels, OpenThenClear) {
  namespace pc = plot_controls;
  const Names commands = {"cmdTuneWidth",  "cmdTunePart", "cmdEditPart", "cmdNearest5",
                          "cmdMonteCarlo", "cmdLimits",   "cmdMarkers",  "cmdGetPlot",
                          "cmdSavePlot",   "cmdPhase",    "cmdDelay",    "cmdPoles"};
  Names panelControls;
  for (const auto* group :
       {&pc::TunePanelControls(), &pc::EditPanelControls(), &pc::WidthPanelControls(),
        &pc::MonteCarloButtons(), &pc::SeriesButtons(), &pc::LimitShapeButtons()})
    panelControls = Join(panelControls, *group);
  const std::tuple<std::string, const Names&, const Names&, int16_t> panels[] = {
      {"cmdTunePart", pc::TunePanelControls(), pc::EditPanelControls(), 0},
      {"cmdEditPart", pc::EditPanelControls(), pc::TunePanelControls(), 1},
      {"cmdTuneWidth", pc::WidthPanelControls(), pc::TunePanelControls(), 0}};
  for (const auto& [opener, shown, hidden, rounded] : panels) {
    PlotPageFixture f;
    f.record.Rounded = rounded;
    f.Click(opener);
    EXPECT_EQ(f.shared.EditPanelOn, 1);
    EXPECT_EQ(f.EnabledOf(Join(commands, {"cmdReset", "cmdDesign"})),
              (Names{opener, "cmdReset", "cmdDesign"}));
    EXPECT_EQ(f.VisibleOf(shown), shown) << opener;
    EXPECT_EQ(f.VisibleOf(hidden), Names{}) << opener;
    // The panel area is painted with the page background first.
    ASSERT_FALSE(f.canvas.commands.empty());
    EXPECT_EQ(test::Corners(f.canvas.commands[0]), (Floats{300, 7280, 11000, 9300}));
    EXPECT_EQ(f.canvas.commands[0].colour, (Rgb{238, 255, 255}));

    f["cmd5"].visible = f["cmdMC2"].visible = f["cmdLimit1"].visible = true;
    f["cmdSave"].enabled = true;
    f.shared.OptimizeStop = 0;
    f.Click("cmdReset");
    EXPECT_EQ((std::vector<int>{f.shared.EditPanelOn, f.shared.OptimizeStop}),
              (std::vector<int>{0, 1}));
    EXPECT_EQ(f.EnabledOf(Join(commands, {"cmdQuit", "cmdSave", "cmdGet", "cmdRestore"})),
              Join(commands, rounded == 1 ? Names{"cmdQuit", "cmdRestore"} : Names{"cmdQuit"}));
    EXPECT_EQ(f.VisibleOf(panelControls), Names{}) << opener;
    EXPECT_TRUE(f.Redrawn());
  }
}

TEST(PartTuning, PanelShowsTheSelectedStageAndReopensAtStageOne) {
  PlotPageFixture f(5);  // three-pole stage 1 and two-pole stage 2
  const auto shows = [&f](const char* label, float value) {
    EXPECT_NEAR(Read(f[label].caption), value, value * 1e-4) << label;
  };
  f.Click("cmdTunePart");
  shows("lblR1value", f.record.R[1][1]);
  shows("lblC2value", f.record.C[1][2]);
  f.page->Spin("UpDown1", 2);
  EXPECT_EQ(std::make_tuple(f["lblStage"].caption, f.page->Parts().SelectedStage()),
            std::make_tuple("2", 2));
  EXPECT_EQ(f["lblR1value"].caption, "0");  // a two-pole stage has no R1
  shows("lblC3value", f.record.C[2][3]);
  f.page->Spin("UpDown1", 7);  // beyond the last stage: the spinner stops at 2
  EXPECT_EQ(f["lblStage"].caption, "2");
  f.Click("cmdReset");
  f.Click("cmdTunePart");
  EXPECT_EQ(
      std::make_tuple(f["UpDown1"].value, f["lblStage"].caption, f.page->Parts().SelectedStage()),
      std::make_tuple(1, "1", 1));
  shows("lblR1value", f.record.R[1][1]);
}

TEST(PartTuning, StepChangesOnePartOfTheShownStageByOnePercent) {
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
  EXPECT_EQ(FamilyAndModified(f.record), kManualAndModified);
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

TEST(PartEditing, EnterAllClampsToTheAcceptedRangeAndWritesTheValueBack) {
  const std::tuple<std::string, const char*, float> cases[] = {
      {"txtR2value", "1", 10},         {"txtR2value", "10", 10},
      {"txtR3value", "100M", 1e7f},    {"txtR3value", "10M", 1e7f},
      {"txtR2value", "4.7k", 4700},    {"txtR1value", "", 10},
      {"txtC2value", "0.1p", 1e-12f},  {"txtC2value", "1p", 1e-12f},
      {"txtC3value", "1m", 1e-5f},     {"txtC3value", "10u", 1e-5f},
      {"txtC1value", "2,2n", 2.2e-9f}, {"txtC1value", "-5n", 1e-12f}};
  for (const auto& [box, typed, stored] : cases) {
    PlotPageFixture f(4);
    f.Click("cmdEditPart");
    f.page->Type(box, typed);
    f.Click("cmdEnterAll");
    const std::string part = box.substr(3, 2);
    const auto k = static_cast<std::size_t>(part[1] - '0');
    EXPECT_FLOAT_EQ(part[0] == 'R' ? f.record.R[1][k] : f.record.C[1][k], stored) << typed;
    EXPECT_FLOAT_EQ(Read(f[box].caption), stored) << typed;
    EXPECT_EQ(f["lbl" + part + "editValue"].caption, f[box].caption);
    EXPECT_EQ(FamilyAndModified(f.record), kManualAndModified);
  }
}

TEST(PartEditing, EnterAllTakesEveryBoxIntoTheSelectedStage) {
  PlotPageFixture f(4);
  f.Click("cmdEditPart");
  f.page->Spin("UpDown2", 2);
  EXPECT_NEAR(Read(f["txtC2value"].caption), f.record.C[2][2], f.record.C[2][2] * 1e-4);
  const auto stage1 = f.record.R[1];
  for (const auto& [box, text] : {std::pair{"txtR1value", "100"},
                                  {"txtR2value", "22k"},
                                  {"txtR3value", "33k"},
                                  {"txtC1value", "1p"},
                                  {"txtC2value", "10n"},
                                  {"txtC3value", "1n"}})
    f.page->Type(box, text);
  f.Click("cmdEnterAll");
  EXPECT_EQ((Floats{f.record.R[2][1], f.record.R[2][2], f.record.R[2][3]}),
            (Floats{100, 22000, 33000}));
  EXPECT_FLOAT_EQ(f.record.C[2][2], 1e-8f);
  EXPECT_EQ(f.record.R[1], stage1);
  EXPECT_TRUE(f.Redrawn());
}

// A Design command after a hand change keeps the hand-made parts and shows the family as manual.
TEST(PartChanges, DesignCommandAfterwardsKeepsTheParts) {
  const std::vector<const char*> changes[] = {{"cmdTunePart", "cmdC2up"},
                                              {"cmdEditPart", "cmdEnterAll"},
                                              {"cmdNearest5", "cmd5"},
                                              {"cmdNearest5"}};
  for (const auto& clicks : changes) {
    PlotPageFixture f(5);
    f.page->Type("txtR2value", "12k");  // used by Enter all
    for (const char* button : clicks)
      f.Click(button);
    const auto r = f.record.R;
    const auto c = f.record.C;
    FinishDesignCommand(f.record, f.dialogs);
    EXPECT_EQ(FamilyAndModified(f.record), kManualAndModified) << clicks.back();
    EXPECT_EQ(f.record.R, r) << clicks.back();
    EXPECT_EQ(f.record.C, c) << clicks.back();
  }
}

TEST(RestoreCommand, CopiesTheSavedValuesOfEveryStageUpToTheOrder) {
  for (const int16_t order : {3, 5, 7}) {  // (order + 1) / 2 stages, but `order` are restored
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
    // Restore leaves the family alone.
    EXPECT_EQ((std::vector<int>{f.record.Rounded, f.record.Family}),
              (std::vector<int>{0, kButterworth}));
    EXPECT_EQ(f.EnabledOf({"cmdRestore", "cmdNearest5"}), Names{"cmdNearest5"});
    EXPECT_TRUE(f.Redrawn());
  }
}

}  // namespace
}  // namespace kestro
