#include "plotpage/plot_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/marker_page.h"
#include "plotpage/part_adjustment.h"
#include "plotpage/plot_page_controls.h"
#include "support/recording_printers.h"
#include "usecase/design_command.h"

namespace kestro {
namespace {

using test::FamilyAndModified;
using test::FindPrint;
using test::Kind;
using test::Names;
using test::PlotPageFixture;
using test::Read;
using Floats = std::vector<float>;
const std::vector<int> kManualAndModified = {kManual, 1};

TEST(PlotPageLayout, PlacesCaptionsFacesAndOpeningStates) {
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
  // The opening states.
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
  PlotPage page(manual.context, manual.link);
  EXPECT_EQ((std::vector<bool>{page["cmdPoles"].enabled, page["cmdRestore"].enabled}),
            (std::vector<bool>{false, true}));
}

TEST(PlotPageOpening, DrawsGainDelayAndTheHintThenPhaseAndMarkers) {
  for (const int16_t markersOn : std::initializer_list<int16_t>{0, 1}) {
    test::PlotTestContext context;
    context.shared.DelayOn = 1;
    context.shared.PhaseOn = 1;
    context.record.MarkersOn = markersOn;
    context.record.MarkerFreq[1] = 1000;
    auto page = std::make_unique<PlotPage>(context.context, context.link);
    EXPECT_TRUE(context.canvas.commands.empty());  // nothing before the window shows the page
    page->SetCanvas(&context.canvas);
    page->OnShown();
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
    // Secondary windows redraw through the open page, until it closes.
    context.canvas.commands.clear();
    context.link.RedrawPlot();
    EXPECT_EQ(FindPrint(canvas, "Gain, dB:"), 8u);
    page.reset();
    EXPECT_FALSE(context.link.Attached());
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
    for (const int16_t expected : std::initializer_list<int16_t>{1, 0, 1}) {
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
      {"cmdPoles", PageId::Poles, OpenMode::Modal, false},
      {"cmdLimits", PageId::Limits, OpenMode::Over, false}};
  for (const auto& [button, page, mode, leaves] : cases) {
    PlotPageFixture f;
    f.Click("cmdTunePart");
    f.Click(button);
    EXPECT_EQ(f.navigator.opened, (decltype(f.navigator.opened){{page, mode}})) << button;
    EXPECT_EQ(f.shared.EditPanelOn, leaves ? 0 : 1) << button;
  }
}

// Print closes the panel state for the sheet; a cancelled dialog sends nothing and says so, and
// the page is left as it was.
TEST(PlotPageCommands, PrintWithACancelledDialogSendsNothing) {
  PlotPageFixture f;
  test::RecordingPrinters printers;
  printers.setup.cancelDialog = true;
  f.context.printers = &printers;
  f.Click("cmdTunePart");
  f.Click("cmdPrint");
  EXPECT_EQ(std::tuple(printers.calls, f.dialogs.Texts(), f.dialogs.messages.back().title,
                       f.shared.EditPanelOn, f.canvas.commands.size()),
            std::tuple(Names{"Preview", "SelectPrinter"}, Names{"Cancel was selected."},
                       std::string("Printer Error"), int16_t{0}, std::size_t{0}));
}

TEST(MarkerPage, LayoutCaptionsAndFrequencies) {
  test::PlotTestContext context;
  context.record.MarkerFreq[1] = 1234.567f;  // more digits than the box shows
  context.record.MarkerFreq[2] = 0.25f;
  MarkerPage page(context.context, context.link);
  EXPECT_EQ(page.WindowCaption(), "Markers");
  Names captions;
  for (const char* name : {"lblTitle", "lblMarkerFrequency8", "cmdMarkerErase", "cmdExit",
                           "txtMarkerFrequency1", "txtMarkerFrequency2", "txtMarkerFrequency3"})
    captions.push_back(page[name].caption);
  EXPECT_EQ(captions, (Names{"Markers", "Frequency 8:", "Erase all", "Return", " 1.2346K ",
                             " 250mH", "0.0 "}));
  // The buttons stand under the boxes and inside the page.
  EXPECT_GT(page["cmdMarkerOn"].top, page["txtMarkerFrequency8"].top);
  EXPECT_LE(page["cmdExit"].top + page["cmdExit"].height, 9000);
  // The frequencies are read back as shown; every keystroke reaches the record.
  page.Type("txtMarkerFrequency4", "2");
  EXPECT_EQ(context.record.MarkerFreq[4], 2.0f);
  page.Type("txtMarkerFrequency4", "2k");
  EXPECT_EQ((std::vector<float>(&context.record.MarkerFreq[1], &context.record.MarkerFreq[5])),
            (std::vector<float>{1234.6f, 0.25f, 0, 2000}));
  // Without an open plot page the buttons still work.
  page.Click("cmdMarkerOn");
  page.Click("cmdMarkerHide");
  EXPECT_EQ(context.record.MarkersOn, 0);
  EXPECT_EQ(context.navigator.closed.size(), 2u);
}

TEST(MarkerPage, ButtonsRedrawThePlotAndClose) {
  test::PlotPageFixture f(3);
  MarkerPage markers(f.context, f.link);
  const auto press = [&](const char* button) {
    f.canvas.commands.clear();
    markers.Click(button);
  };
  markers.Type("txtMarkerFrequency1", "-5");  // a negative frequency is no marker
  press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Marker});
  markers.Type("txtMarkerFrequency3", "1k");
  press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 1);
  EXPECT_TRUE(f.Redrawn());
  EXPECT_LT(FindPrint(f.canvas, " 3"), f.canvas.commands.size());  // row 3
  EXPECT_EQ(f.navigator.closed.size(), 2u);
  // Hide clears the table, Return keeps the typed frequencies, Erase all forgets them.
  markers.Type("txtMarkerFrequency1", "1k");
  press("cmdMarkerHide");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(test::Corners(f.canvas.commands.at(0)), (std::vector<float>{300, 7280, 4200, 9800}));
  EXPECT_EQ(FindPrint(f.canvas, "Freq:"), f.canvas.commands.size());
  EXPECT_EQ(f.record.MarkerFreq[1], 1000.0f);
  markers.Type("txtMarkerFrequency2", "3k");
  press("cmdExit");
  EXPECT_EQ(f.record.MarkerFreq[2], 3000.0f);
  EXPECT_TRUE(f.canvas.commands.empty());
  f.record.MarkersOn = 1;
  press("cmdMarkerErase");
  EXPECT_EQ(f.record.MarkerFreq, decltype(f.record.MarkerFreq){});
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed.size(), 5u);
}

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

// Stage 2 has two poles: its R1 typed as 0 and its C1 at or below the 1e-13 floor stay absent.
TEST(PartEditing, EnterAllClampsEveryBoxAndTakesItIntoTheSelectedStage) {
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
    EXPECT_EQ(FamilyAndModified(f.record), kManualAndModified);
    EXPECT_TRUE(f.Redrawn());
  }
}

// Enter all over untouched boxes keeps every part to the last bit (the boxes show fewer digits)
// and the family; in the three-pole stage 1 of order 5, R1 and C1 are parts like any other.
TEST(PartEditing, EnterAllWithoutAnEditChangesNothing) {
  PlotPageFixture f(5);
  const DesignRecord before = f.record;
  f.Click("cmdEditPart");
  f.Click("cmdEnterAll");
  EXPECT_EQ(f.record.R, before.R);
  EXPECT_EQ(f.record.C, before.C);
  EXPECT_EQ(FamilyAndModified(f.record), FamilyAndModified(before));
  f.page->Type("txtR1value", "0");
  f.page->Type("txtC1value", "0");
  f.Click("cmdEnterAll");
  EXPECT_EQ((Floats{f.record.R[1][1], f.record.C[1][1], f.record.C[1][2]}),
            (Floats{10, 1e-12f, before.C[1][2]}));
}

// A Design command after a hand change keeps the hand-made parts and shows the family as manual.
TEST(PartChanges, DesignCommandAfterwardsKeepsTheParts) {
  const std::vector<const char*> changes[] = {{"cmdTunePart", "cmdC2up"},
                                              {"cmdEditPart", "cmdEnterAll"},
                                              {"cmdNearest5", "cmd5"},
                                              {"cmdNearest5"}};
  for (const auto& clicks : changes) {
    PlotPageFixture f(5);
    f.Click(clicks.front());
    f.page->Type("txtR2value", "12k");  // the edit that Enter all takes
    for (std::size_t i = 1; i < clicks.size(); ++i)
      f.Click(clicks[i]);
    const auto r = f.record.R;
    const auto c = f.record.C;
    FinishDesignCommand(f.record, f.dialogs);
    EXPECT_EQ(FamilyAndModified(f.record), kManualAndModified) << clicks.back();
    EXPECT_EQ(f.record.R, r) << clicks.back();
    EXPECT_EQ(f.record.C, c) << clicks.back();
  }
}

TEST(RestoreCommand, CopiesTheSavedValuesOfEveryStageUpToTheOrder) {
  for (const int16_t order : std::initializer_list<int16_t>{
           3, 5, 7}) {  // (order + 1) / 2 stages, but `order` are restored
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
