#include "plotpage/plot_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "plot_test_context.h"

namespace kestro {
namespace {

using test::FindPrint;
using test::Kind;
using test::Names;
using test::PlotPageFixture;

TEST(PlotPageLayout, PlacesCaptionsAndFaces) {
  PlotPageFixture f;
  EXPECT_EQ(f.page->WindowCaption(), "KestroLab - Plot");
  const std::tuple<std::string, std::string, float, float, float, float> places[] = {
      {"cmdSave", "Save", 0, 0, 700, 300},
      {"cmdPoles", "Show poles", 300, 1200, 1000, 300},
      {"cmdLimit4", "", 5300, 7600, 600, 600},
      {"cmdResetMC", "Show Extremes", 6500, 8000, 1500, 300},
      {"lblStage", "1", 3900, 7800, 300, 300},
      {"UpDown1", "", 4200, 7800, 300, 300},
      {"lblC3edit", "C3: ", 10500, 7700, 300, 300},
      {"lblR2value", "", 6000, 7700, 700, 300},
      {"cmdC2up", ">", 9540, 7900, 240, 240},
      {"txtR3value", "", 6900, 7900, 1000, 300},
      {"cmdEnterAll", "Enter all", 4500, 8200, 7000, 300},
      {"lblBandwidth", "", 5100, 8000, 4000, 300},
  };
  for (const auto& place : places) {
    const Control& c = f[std::get<0>(place)];
    EXPECT_EQ(std::tie(c.name, c.caption, c.left, c.top, c.width, c.height), place);
  }
  const std::pair<const char*, Rgb> faces[] = {
      {"cmdDesign", {221, 255, 255}},    {"cmdPlot", {128, 255, 255}},
      {"cmdTunePart", {187, 255, 255}},  {"cmdTuneWidth", {255, 255, 255}},
      {"cmdWidthDown", {102, 255, 255}}, {"cmdR1up", {187, 255, 255}}};
  for (const auto& [name, face] : faces)
    EXPECT_EQ(f[name].face, face) << name;
}

TEST(PlotPageOpening, ButtonStates) {
  PlotPageFixture f;
  EXPECT_EQ(f.VisibleOf({"cmdLimit1", "cmdLimit2", "cmdLimit4", "cmd2", "cmdMC1", "cmdResetMC",
                         "lblStage", "UpDown2", "txtC1value", "cmdEnterAll", "cmdWidthUp",
                         "lblBandwidth"}),
            Names{});
  // Optimize waits until limits are shown.
  EXPECT_EQ(f.EnabledOf({"cmdPoles", "cmdNearest5", "cmdRestore", "cmdOptimize"}),
            (Names{"cmdPoles", "cmdNearest5"}));
  // Order 4: two stages.
  EXPECT_EQ((std::vector<int>{f["UpDown1"].minimum, f["UpDown1"].maximum, f["UpDown2"].maximum,
                              f.shared.OptimizeStop}),
            (std::vector<int>{1, 2, 2, 1}));
  // A manual, rounded design: no pole plot, and Restore is offered.
  test::PlotTestContext manual;
  manual.record.Family = kManual;
  manual.record.Rounded = 1;
  PlotPage page(manual.context);
  EXPECT_FALSE(page["cmdPoles"].enabled);
  EXPECT_TRUE(page["cmdRestore"].enabled);
}

TEST(PlotPageOpening, DrawsGainDelayAndTheHintThenPhaseAndMarkers) {
  for (const int16_t markersOn : {0, 1}) {
    test::PlotTestContext context;
    context.shared.DelayOn = 1;
    context.shared.PhaseOn = 1;
    context.record.MarkersOn = markersOn;
    context.record.MarkerFreq[1] = 1000;
    PlotPage page(context.context);
    EXPECT_TRUE(context.canvas.commands.empty());  // nothing before the window shows the page
    page.SetCanvas(&context.canvas);
    page.OnShown();
    const auto& canvas = context.canvas;
    const std::size_t end = canvas.commands.size();
    ASSERT_GT(end, 0u);
    EXPECT_EQ(canvas.commands[0].kind, Kind::FillRect);  // PlotGain clears first
    EXPECT_FLOAT_EQ(canvas.commands[0].x1, 1080);
    const std::size_t hint = FindPrint(canvas, "Mousedown for data", 4500);
    ASSERT_LT(hint, end);
    EXPECT_FLOAT_EQ(canvas.commands[hint].textY, 7300);
    // Without markers the phase curve waits for the next redraw; with them, the table is last.
    const std::vector<std::size_t> order = {
        FindPrint(canvas, "Gain, dB:"), FindPrint(canvas, "Delay, s:"), hint,
        FindPrint(canvas, "Phase:", 11450), FindPrint(canvas, "Freq:")};
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << markersOn;
    EXPECT_EQ(order[3] == end, markersOn == 0);
    EXPECT_EQ(order[4] == end, markersOn == 0);
  }
}

TEST(PlotPageCommands, PhaseAndDelayAlternateAndRedrawInOrder) {
  const std::tuple<const char*, int16_t PlotShared::*, const char*, float> toggles[] = {
      {"cmdPhase", &PlotShared::PhaseOn, "Phase:", 11450},
      {"cmdDelay", &PlotShared::DelayOn, "Delay, s:", 10700}};
  for (const auto& [button, flag, title, titleX] : toggles) {
    PlotPageFixture f;
    f["cmdMonteCarlo"].enabled = false;
    f.record.MarkersOn = 1;
    f.record.MarkerFreq[1] = 1000;
    for (const int16_t expected : {1, 0, 1}) {
      f.Click(button);
      EXPECT_EQ(f.shared.*flag, expected) << button;
      EXPECT_TRUE(f.Enabled("cmdMonteCarlo"));
      EXPECT_EQ(FindPrint(f.canvas, title, titleX) < f.canvas.commands.size(), expected == 1);
      EXPECT_TRUE(f.Redrawn());
      EXPECT_LT(FindPrint(f.canvas, "Gain, dB:"), FindPrint(f.canvas, "Freq:"));
    }
  }
  PlotPageFixture f;
  f.shared.DelayOn = 1;
  f.Click("cmdPhase");
  EXPECT_LT(FindPrint(f.canvas, "Delay, s:"), FindPrint(f.canvas, "Phase:"));
  f.Click("cmdPlot");  // only lights its button
  EXPECT_EQ(f["cmdPlot"].face, (Rgb{17, 255, 255}));
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_TRUE(f.navigator.opened.empty());
}

TEST(PlotPageCommands, NavigationOpensThePage) {
  // A switch closes the plot page and its panels.
  const std::tuple<const char*, PageId, OpenMode, bool> cases[] = {
      {"cmdDesign", PageId::Design, OpenMode::Switch, true},
      {"cmdSchematic", PageId::Schematic, OpenMode::Switch, true},
      {"cmdTabulate", PageId::Tabulated, OpenMode::Switch, true},
      {"cmdAbout", PageId::About, OpenMode::Over, false},
      {"cmdTransient", PageId::Transient, OpenMode::Over, false},
      {"cmdWrite", PageId::WriteFiles, OpenMode::Modal, false},
      {"cmdQuit", PageId::Exit, OpenMode::Modal, false},
      {"cmdMarkers", PageId::Marker, OpenMode::Over, false},
      {"cmdPoles", PageId::NotBuilt, OpenMode::Modal, false},
      {"cmdLimits", PageId::NotBuilt, OpenMode::Over, false}};
  for (const auto& [button, page, mode, leaves] : cases) {
    PlotPageFixture f;
    f.Click("cmdTunePart");
    f.Click(button);
    EXPECT_EQ(f.navigator.opened, (decltype(f.navigator.opened){{page, mode}})) << button;
    EXPECT_EQ(f.shared.EditPanelOn, leaves ? 0 : 1) << button;
  }
}

TEST(PlotPageCommands, LaterCommandsSaySoAndChangeNothing) {
  for (const char* button : {"cmdPrint", "cmdSavePlot", "cmdGetPlot", "cmdMonteCarlo",
                             "cmdOptimize", "cmdMC5", "cmdLimit2"}) {
    PlotPageFixture f;
    const DesignRecord before = f.record;
    f.Click(button);
    EXPECT_EQ(f.dialogs.Texts(), Names{"This command is not built yet."}) << button;
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
    EXPECT_EQ(FindPrint(context.canvas, "Gain, dB:"), 8u);
  }
  EXPECT_FALSE(context.shared.RedrawPlot);  // closed with the page
  EXPECT_FALSE(context.shared.ClearMarkerArea);
}

}  // namespace
}  // namespace kestro
