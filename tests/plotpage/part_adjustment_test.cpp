#include "plotpage/part_adjustment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/plot_page_controls.h"
#include "synthesis/design_command.h"

namespace kestro {
namespace {

using test::Kind;
using test::PlotPageFixture;
using test::Read;
using Names = std::vector<std::string>;

// Each panel locks the other commands and shows its controls; Clear returns to the plain page.
TEST(PartPanels, OpenThenClear) {
  const struct {
    const char* opener;
    Names lockedOpeners;
    const Names& shown;
    const Names& hidden;
    int16_t rounded;
  } panels[] = {{"cmdTunePart",
                 {"cmdTuneWidth", "cmdEditPart"},
                 plot_controls::TunePanelControls(),
                 plot_controls::EditPanelControls(),
                 0},
                {"cmdEditPart",
                 {"cmdTuneWidth", "cmdTunePart"},
                 plot_controls::EditPanelControls(),
                 plot_controls::TunePanelControls(),
                 1},
                {"cmdTuneWidth",
                 {"cmdTunePart", "cmdEditPart"},
                 plot_controls::WidthPanelControls(),
                 plot_controls::TunePanelControls(),
                 0}};
  for (const auto& c : panels) {
    PlotPageFixture f;
    f.record.Rounded = c.rounded;
    f.Click(c.opener);
    EXPECT_EQ(f.shared.EditPanelOn, 1);
    for (const char* name : {"cmdNearest5", "cmdMonteCarlo", "cmdLimits", "cmdMarkers",
                             "cmdGetPlot", "cmdSavePlot", "cmdPhase", "cmdDelay", "cmdPoles"}) {
      EXPECT_FALSE(f.Enabled(name)) << c.opener << " " << name;
    }
    for (const std::string& name : c.lockedOpeners)
      EXPECT_FALSE(f.Enabled(name)) << c.opener << " " << name;
    for (const char* name : {c.opener, "cmdReset", "cmdDesign"})
      EXPECT_TRUE(f.Enabled(name)) << c.opener << " " << name;
    for (const std::string& name : c.shown)
      EXPECT_TRUE(f.Visible(name)) << c.opener << " " << name;
    for (const std::string& name : c.hidden)
      EXPECT_FALSE(f.Visible(name)) << c.opener << " " << name;
    // The panel area is painted with the page background first.
    ASSERT_FALSE(f.canvas.commands.empty());
    const auto& fill = f.canvas.commands[0];
    EXPECT_EQ((std::vector<float>{fill.x1, fill.y1, fill.x2, fill.y2}),
              (std::vector<float>{300, 7280, 11000, 9300}));
    EXPECT_EQ(fill.colour, (Rgb{238, 255, 255}));

    f["cmd5"].visible = true;
    f["cmdMC2"].visible = true;
    f["cmdLimit1"].visible = true;
    f["cmdSave"].enabled = true;
    f.shared.OptimizeStop = 0;
    f.Click("cmdReset");
    EXPECT_EQ(f.shared.EditPanelOn, 0);
    EXPECT_EQ(f.shared.OptimizeStop, 1);
    for (const char* name : {"cmdTuneWidth", "cmdTunePart", "cmdEditPart", "cmdMonteCarlo",
                             "cmdSavePlot", "cmdNearest5", "cmdGetPlot", "cmdDelay", "cmdPhase",
                             "cmdLimits", "cmdMarkers", "cmdPoles", "cmdQuit"}) {
      EXPECT_TRUE(f.Enabled(name)) << c.opener << " " << name;
    }
    EXPECT_FALSE(f.Enabled("cmdSave"));
    EXPECT_FALSE(f.Enabled("cmdGet"));
    EXPECT_EQ(f.Enabled("cmdRestore"), c.rounded == 1);
    for (const auto* group :
         {&plot_controls::TunePanelControls(), &plot_controls::EditPanelControls(),
          &plot_controls::WidthPanelControls(), &plot_controls::MonteCarloButtons(),
          &plot_controls::SeriesButtons(), &plot_controls::LimitShapeButtons()}) {
      for (const std::string& name : *group)
        EXPECT_FALSE(f.Visible(name)) << c.opener << " " << name;
    }
    EXPECT_TRUE(f.Redrawn());
  }
}

TEST(PartTuning, PanelShowsTheSelectedStageAndReopensAtStageOne) {
  PlotPageFixture f(5);  // three-pole stage 1 and two-pole stage 2
  f.Click("cmdTunePart");
  EXPECT_NEAR(Read(f["lblR1value"].caption), f.record.R[1][1], f.record.R[1][1] * 1e-4);
  EXPECT_NEAR(Read(f["lblC2value"].caption), f.record.C[1][2], f.record.C[1][2] * 1e-4);
  f.page->Spin("UpDown1", 2);
  EXPECT_EQ(f["lblStage"].caption, "2");
  EXPECT_EQ(f.page->Parts().SelectedStage(), 2);
  EXPECT_EQ(f["lblR1value"].caption, "0");  // a two-pole stage has no R1
  EXPECT_NEAR(Read(f["lblC3value"].caption), f.record.C[2][3], f.record.C[2][3] * 1e-4);
  f.page->Spin("UpDown1", 7);  // beyond the last stage: the spinner stops at 2
  EXPECT_EQ(f["lblStage"].caption, "2");
  f.Click("cmdReset");
  f.Click("cmdTunePart");
  EXPECT_EQ(f["UpDown1"].value, 1);
  EXPECT_EQ(f["lblStage"].caption, "1");
  EXPECT_EQ(f.page->Parts().SelectedStage(), 1);
  EXPECT_NEAR(Read(f["lblR1value"].caption), f.record.R[1][1], f.record.R[1][1] * 1e-4);
}

TEST(PartTuning, StepChangesOnePartOfTheShownStageByOnePercent) {
  PlotPageFixture f(4);  // Butterworth 1 kHz: R2 of stage 1 is 47 k
  ASSERT_EQ(f.record.R[1][2], 47000.0f);
  f.Click("cmdTunePart");
  const float gainBefore = f.record.Gain[300];
  const auto r = f.record.R;
  const auto c = f.record.C;
  f.Click("cmdR2up");
  EXPECT_EQ(f.record.R[1][2], 47470.0f);
  EXPECT_EQ(f["lblR2value"].caption.substr(0, 6), "47.47k");
  EXPECT_EQ(f.record.Family, kManual);
  EXPECT_EQ(f.record.PartsModified, 1);
  EXPECT_NE(f.record.Gain[300], gainBefore);  // analysed again
  EXPECT_TRUE(f.Redrawn());
  auto expectedR = r;
  expectedR[1][2] = 47470.0f;
  EXPECT_EQ(f.record.R, expectedR);
  EXPECT_EQ(f.record.C, c);
  f.Click("cmdR2down");
  EXPECT_NEAR(f.record.R[1][2], 47000.0f, 47000.0f * 2e-7);  // within the last bit
  f.Click("cmdC3down");
  EXPECT_FLOAT_EQ(f.record.C[1][3], static_cast<float>(c[1][3] / 1.01));
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
  const struct {
    const char* box;
    const char* typed;
    float stored;
  } cases[] = {{"txtR2value", "1", 10},         {"txtR2value", "10", 10},
               {"txtR3value", "100M", 1e7f},    {"txtR3value", "10M", 1e7f},
               {"txtR2value", "4.7k", 4700},    {"txtR1value", "", 10},
               {"txtC2value", "0.1p", 1e-12f},  {"txtC2value", "1p", 1e-12f},
               {"txtC3value", "1m", 1e-5f},     {"txtC3value", "10u", 1e-5f},
               {"txtC1value", "2,2n", 2.2e-9f}, {"txtC1value", "-5n", 1e-12f}};
  for (const auto& c : cases) {
    PlotPageFixture f(4);
    f.Click("cmdEditPart");
    f.page->Type(c.box, c.typed);
    f.Click("cmdEnterAll");
    const std::string part = std::string(c.box).substr(3, 2);
    const auto k = static_cast<std::size_t>(part[1] - '0');
    EXPECT_FLOAT_EQ(part[0] == 'R' ? f.record.R[1][k] : f.record.C[1][k], c.stored) << c.typed;
    EXPECT_FLOAT_EQ(Read(f[c.box].caption), c.stored) << c.typed;
    EXPECT_EQ(f["lbl" + part + "editValue"].caption, f[c.box].caption);
    EXPECT_EQ(f.record.Family, kManual);
    EXPECT_EQ(f.record.PartsModified, 1);
  }
}

TEST(PartEditing, EnterAllTakesEveryBoxIntoTheSelectedStage) {
  PlotPageFixture f(4);
  f.Click("cmdEditPart");
  f.page->Spin("UpDown2", 2);
  EXPECT_NEAR(Read(f["txtC2value"].caption), f.record.C[2][2], f.record.C[2][2] * 1e-4);
  const auto stage1 = f.record.R[1];
  const std::pair<const char*, const char*> typed[] = {{"txtR1value", "100"}, {"txtR2value", "22k"},
                                                       {"txtR3value", "33k"}, {"txtC1value", "1p"},
                                                       {"txtC2value", "10n"}, {"txtC3value", "1n"}};
  for (const auto& [box, text] : typed)
    f.page->Type(box, text);
  f.Click("cmdEnterAll");
  EXPECT_EQ(f.record.R[2][1], 100.0f);
  EXPECT_EQ(f.record.R[2][2], 22000.0f);
  EXPECT_EQ(f.record.R[2][3], 33000.0f);
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
    EXPECT_EQ(f.record.Family, kManual) << clicks.back();
    EXPECT_EQ(f.record.PartsModified, 1) << clicks.back();
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
    f.record.R[o + 1][2] = 77;
    f["cmdRestore"].enabled = true;
    f["cmdNearest5"].enabled = false;
    f.Click("cmdRestore");
    for (std::size_t s = 1; s <= o; ++s) {
      for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(f.record.R[s][k], f.record.Rsaved[s][k]) << order << " " << s;
        EXPECT_EQ(f.record.C[s][k], f.record.Csaved[s][k]) << order << " " << s;
      }
    }
    EXPECT_EQ(f.record.R[o + 1][2], 77.0f);  // beyond the order
    EXPECT_EQ(f.record.Rounded, 0);
    EXPECT_FALSE(f.Enabled("cmdRestore"));
    EXPECT_TRUE(f.Enabled("cmdNearest5"));
    EXPECT_EQ(f.record.Family, kButterworth);  // Restore leaves the family alone
    EXPECT_TRUE(f.Redrawn());
  }
}

}  // namespace
}  // namespace kestro
