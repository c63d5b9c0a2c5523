#include "plotpage/plot_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot_page_fixture.h"
#include "plotpage/plot_page_controls.h"

namespace kestro {
namespace {

using test::DrawCommand;
using test::PlotPageFixture;
using Kind = DrawCommand::Kind;

struct Place {
  const char* name;
  const char* caption;
  float left, top, width, height;
};

TEST(PlotPageLayout, ControlsSitAtTheirPlacesWithTheirCaptions) {
  PlotPageFixture f;
  EXPECT_EQ(f.page->WindowCaption(), "KestroLab - Plot");
  const Place places[] = {
      {"cmdSave", "Save", 0, 0, 700, 300},
      {"cmdSchematic", "Schematic", 2300, 0, 1100, 300},
      {"cmdPoles", "Show poles", 300, 1200, 1000, 300},
      {"cmdReset", "Clear", 300, 6800, 1000, 300},
      {"cmdLimit4", "", 5300, 7600, 600, 600},
      {"cmdMC20", "20%", 6000, 8000, 450, 300},
      {"cmdResetMC", "Show Extremes", 6500, 8000, 1500, 300},
      {"lblStageNr", "Stage: ", 3100, 7800, 800, 300},
      {"lblStage", "1", 3900, 7800, 300, 300},
      {"UpDown1", "", 4200, 7800, 300, 300},
      {"lblC3", "C3:", 10500, 7700, 300, 300},
      {"lblC3edit", "C3: ", 10500, 7700, 300, 300},
      {"lblR2value", "", 6000, 7700, 700, 300},
      {"cmdC2up", ">", 9540, 7900, 240, 240},
      {"txtR3value", "", 6900, 7900, 1000, 300},
      {"cmdEnterAll", "Enter all", 4500, 8200, 7000, 300},
      {"cmdWidthUp", ">", 4740, 8000, 240, 240},
      {"lblBandwidth", "", 5100, 8000, 4000, 300},
  };
  for (const Place& p : places) {
    const Control& c = f[p.name];
    EXPECT_EQ(c.caption, p.caption) << p.name;
    EXPECT_EQ(c.left, p.left) << p.name;
    EXPECT_EQ(c.top, p.top) << p.name;
    EXPECT_EQ(c.width, p.width) << p.name;
    EXPECT_EQ(c.height, p.height) << p.name;
  }
}

TEST(PlotPageLayout, FaceColours) {
  PlotPageFixture f;
  const std::pair<const char*, Rgb> faces[] = {
      {"cmdDesign", {221, 255, 255}},    {"cmdPlot", {128, 255, 255}},
      {"cmdTunePart", {187, 255, 255}},  {"cmdTuneWidth", {255, 255, 255}},
      {"cmdWidthDown", {102, 255, 255}}, {"cmdR1up", {187, 255, 255}}};
  for (const auto& [name, face] : faces)
    EXPECT_EQ(f[name].face, face) << name;
}

TEST(PlotPageOpening, ButtonStates) {
  PlotPageFixture f;
  for (const char* name :
       {"cmdLimit1", "cmdLimit2", "cmdLimit4", "cmd2", "cmdMC1", "cmdResetMC", "lblStage",
        "UpDown2", "txtC1value", "cmdEnterAll", "cmdWidthUp", "lblBandwidth"}) {
    EXPECT_FALSE(f.Visible(name)) << name;
  }
  EXPECT_TRUE(f.Enabled("cmdPoles"));
  EXPECT_TRUE(f.Enabled("cmdNearest5"));
  EXPECT_FALSE(f.Enabled("cmdRestore"));
  EXPECT_FALSE(f.Enabled("cmdOptimize"));  // until limits are shown
  EXPECT_EQ(f["UpDown1"].minimum, 1);
  EXPECT_EQ(f["UpDown1"].maximum, 2);  // order 4: two stages
  EXPECT_EQ(f["UpDown2"].maximum, 2);
  EXPECT_EQ(f.shared.OptimizeStop, 1);
}

TEST(PlotPageOpening, ManualAndRoundedDesigns) {
  test::PlotTestContext context;
  context.record.Family = kManual;
  context.record.Rounded = 1;
  PlotPage page(context.context);
  EXPECT_FALSE(page["cmdPoles"].enabled);
  EXPECT_TRUE(page["cmdRestore"].enabled);
}

TEST(PlotPageOpening, DrawsGainThenDelayThenTheHint) {
  test::PlotTestContext context;
  context.shared.DelayOn = 1;
  context.shared.PhaseOn = 1;
  PlotPage page(context.context);
  EXPECT_TRUE(context.canvas.commands.empty());  // nothing before the window shows the page
  page.SetCanvas(&context.canvas);
  page.OnShown();
  const auto& canvas = context.canvas;
  ASSERT_FALSE(canvas.commands.empty());
  EXPECT_EQ(canvas.commands[0].kind, Kind::FillRect);  // PlotGain clears first
  EXPECT_FLOAT_EQ(canvas.commands[0].x1, 1080);
  const std::size_t delay = test::FindPrint(canvas, "Delay, s:");
  const std::size_t hint = test::FindPrint(canvas, "Mousedown for data");
  EXPECT_LT(test::FindPrint(canvas, "Gain, dB:"), delay);
  EXPECT_LT(delay, hint);
  EXPECT_FLOAT_EQ(canvas.commands[hint].textX, 4500);
  EXPECT_FLOAT_EQ(canvas.commands[hint].textY, 7300);
  // Without markers the phase curve waits for the next redraw.
  EXPECT_EQ(test::FindPrint(canvas, "Phase:"), canvas.commands.size());
}

TEST(PlotPageOpening, MarkersOnDrawPhaseAndMarkers) {
  test::PlotTestContext context;
  context.record.MarkersOn = 1;
  context.record.MarkerFreq[1] = 1000;
  context.shared.PhaseOn = 1;
  PlotPage page(context.context);
  page.SetCanvas(&context.canvas);
  page.OnShown();
  const auto& canvas = context.canvas;
  const std::size_t hint = test::FindPrint(canvas, "Mousedown for data");
  const std::size_t phase = test::FindPrintAt(canvas, "Phase:", 11450);
  EXPECT_LT(hint, phase);
  EXPECT_LT(phase, test::FindPrint(canvas, "Freq:"));  // the marker table comes last
}

struct ToggleCase {
  const char* button;
  int16_t PlotShared::*flag;
  const char* title;
  float titleX;
};

class CurveToggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(CurveToggle, AlternatesAndRedrawsInOrder) {
  const ToggleCase& c = GetParam();
  PlotPageFixture f;
  f["cmdMonteCarlo"].enabled = false;
  f.record.MarkersOn = 1;
  f.record.MarkerFreq[1] = 1000;
  for (const int16_t expected : {1, 0, 1}) {
    f.Click(c.button);
    EXPECT_EQ(f.shared.*c.flag, expected);
    EXPECT_TRUE(f.Enabled("cmdMonteCarlo"));
    const std::size_t title = test::FindPrintAt(f.canvas, c.title, c.titleX);
    EXPECT_EQ(title < f.canvas.commands.size(), expected == 1);
    EXPECT_EQ(f.canvas.commands[0].kind, Kind::FillRect);  // PlotGain first
    EXPECT_LT(test::FindPrint(f.canvas, "Gain, dB:"), test::FindPrint(f.canvas, "Freq:"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, CurveToggle,
    ::testing::Values(ToggleCase{"cmdPhase", &PlotShared::PhaseOn, "Phase:", 11450},
                      ToggleCase{"cmdDelay", &PlotShared::DelayOn, "Delay, s:", 10700}));

TEST(PlotPageCommands, DelayIsDrawnBeforePhase) {
  PlotPageFixture f;
  f.shared.DelayOn = 1;
  f.Click("cmdPhase");
  EXPECT_LT(test::FindPrint(f.canvas, "Delay, s:"), test::FindPrint(f.canvas, "Phase:"));
}

TEST(PlotPageCommands, PlotOnlyLightsItsButton) {
  PlotPageFixture f;
  f.Click("cmdPlot");
  EXPECT_EQ(f["cmdPlot"].face, (Rgb{17, 255, 255}));
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_TRUE(f.navigator.opened.empty());
}

struct NavigationCase {
  const char* button;
  PageId page;
  OpenMode mode;
  bool leaves;  // a switch closes the plot page and its panels
};

class PlotPageNavigation : public ::testing::TestWithParam<NavigationCase> {};

TEST_P(PlotPageNavigation, OpensThePage) {
  const NavigationCase& c = GetParam();
  PlotPageFixture f;
  f.Click("cmdTunePart");
  f.Click(c.button);
  ASSERT_EQ(f.navigator.opened.size(), 1u);
  EXPECT_EQ(f.navigator.opened[0].first, c.page);
  EXPECT_EQ(f.navigator.opened[0].second, c.mode);
  EXPECT_EQ(f.shared.EditPanelOn, c.leaves ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PlotPageNavigation,
    ::testing::Values(NavigationCase{"cmdDesign", PageId::Design, OpenMode::Switch, true},
                      NavigationCase{"cmdSchematic", PageId::Schematic, OpenMode::Switch, true},
                      NavigationCase{"cmdTabulate", PageId::Tabulated, OpenMode::Switch, true},
                      NavigationCase{"cmdAbout", PageId::About, OpenMode::Over, false},
                      NavigationCase{"cmdTransient", PageId::Transient, OpenMode::Over, false},
                      NavigationCase{"cmdWrite", PageId::WriteFiles, OpenMode::Modal, false},
                      NavigationCase{"cmdQuit", PageId::Exit, OpenMode::Modal, false},
                      NavigationCase{"cmdMarkers", PageId::Marker, OpenMode::Over, false},
                      NavigationCase{"cmdPoles", PageId::NotBuilt, OpenMode::Modal, false},
                      NavigationCase{"cmdLimits", PageId::NotBuilt, OpenMode::Over, false}));

TEST(PlotPageCommands, LaterCommandsSaySoAndChangeNothing) {
  for (const char* button : {"cmdPrint", "cmdSavePlot", "cmdGetPlot", "cmdMonteCarlo",
                             "cmdOptimize", "cmdMC5", "cmdLimit2"}) {
    PlotPageFixture f;
    const DesignRecord before = f.record;
    f.Click(button);
    EXPECT_EQ(f.dialogs.Texts(), std::vector<std::string>{"This command is not built yet."})
        << button;
    EXPECT_TRUE(f.canvas.commands.empty()) << button;
    EXPECT_EQ(f.record.R, before.R) << button;
  }
  PlotPageFixture f;
  f.page->OnMouseDown(1, 5000, 4000);
  f.page->OnMouseDown(1, 500, 8000);  // outside the plot: nothing
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST(PlotPageHooks, SecondaryWindowsRedrawThroughTheOpenPage) {
  test::PlotTestContext context;
  {
    PlotPage page(context.context);
    page.SetCanvas(&context.canvas);
    ASSERT_TRUE(context.shared.RedrawPlot);
    context.shared.RedrawPlot();
    EXPECT_EQ(test::FindPrint(context.canvas, "Gain, dB:"), 8u);
  }
  EXPECT_FALSE(context.shared.RedrawPlot);  // closed with the page
  EXPECT_FALSE(context.shared.ClearMarkerArea);
}

}  // namespace
}  // namespace kestro
