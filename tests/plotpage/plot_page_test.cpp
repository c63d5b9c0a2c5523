#include "plotpage/plot_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "plot_test_context.h"
#include "support/recording_printers.h"

namespace kestro {
namespace {

using test::FindPrint;
using test::Names;
using test::PlotPageFixture;

// "a/b" for every two visible controls that overlap, "a" for one that leaves the 12000 x 9000 page.
// A label's box may reach under a button below its text; two labels or two other controls may not
// overlap.
Names Collisions(Page& page) {
  Names found;
  std::vector<const Control*> shown;
  for (const Control& c : page.Controls()) {
    if (!c.visible)
      continue;
    if (c.left < 0 || c.top < 0 || c.left + c.width > 12000 || c.top + c.height > 9000)
      found.push_back(c.name);
    for (const Control* o : shown) {
      const bool mixed = (c.kind == ControlKind::Label) != (o->kind == ControlKind::Label);
      if (!mixed && c.left < o->left + o->width && o->left < c.left + c.width &&
          c.top < o->top + o->height && o->top < c.top + c.height)
        found.push_back(o->name + "/" + c.name);
    }
    shown.push_back(&c);
  }
  return found;
}

TEST(PlotPage, OpensWithItsCaptionsAndStatesAndNoControlsOverlapInAnyPanel) {
  PlotPageFixture f;
  EXPECT_EQ(f.page->WindowCaption(), "KestroLab - Plot");
  Names captions;
  for (const char* name : {"cmdSave", "cmdPoles", "cmdResetMC", "lblC3edit", "cmdC2up",
                           "cmdEnterAll", "cmdNearest5", "cmd5"})
    captions.push_back(f[name].caption);
  EXPECT_EQ(captions, (Names{"Save", "Show poles", "Show Extremes", "C3: ", ">", "Enter all",
                             "Nearest %", "5%"}));
  EXPECT_EQ(f.VisibleOf({"cmdLimit1", "cmd2", "cmdMC1", "cmdResetMC", "lblStage", "UpDown2",
                         "txtC1value", "cmdEnterAll", "cmdWidthUp", "lblBandwidth"}),
            Names{});
  // Optimize waits until limits are shown; order 4 has two stages to spin through.
  EXPECT_EQ(f.EnabledOf({"cmdPoles", "cmdNearest5", "cmdRestore", "cmdOptimize"}),
            (Names{"cmdPoles", "cmdNearest5"}));
  EXPECT_EQ((std::vector<int>{f["UpDown1"].minimum, f["UpDown1"].maximum, f["UpDown2"].maximum}),
            (std::vector<int>{1, 2, 2}));
  EXPECT_EQ(Collisions(*f.page), Names{});
  for (const char* opener : {"cmdTunePart", "cmdEditPart", "cmdTuneWidth", "cmdMonteCarlo"}) {
    f.Click("cmdReset");
    f.Click(opener);
    EXPECT_EQ(Collisions(*f.page), Names{}) << opener;
  }
  f.Click("cmdReset");
  f.Click("cmdNearest5");
  EXPECT_EQ(Collisions(*f.page), Names{});
  // A manual, rounded design: no pole plot, and Restore is offered.
  test::PlotTestContext manual;
  manual.record.Family = kManual;
  manual.record.Rounded = 1;
  PlotPage page(manual.context, manual.link);
  EXPECT_FALSE(page["cmdPoles"].enabled);
  EXPECT_TRUE(page["cmdRestore"].enabled);
}

TEST(PlotPage, DrawsGainDelayAndTheHintThenPhaseAndMarkersWhenShown) {
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
    // Without markers the phase curve waits for the next redraw; with them, the table is last.
    const std::vector<std::size_t> order = {
        FindPrint(canvas, "Gain, dB:"), FindPrint(canvas, "Delay, s:"),
        FindPrint(canvas, "Mousedown for data"), FindPrint(canvas, "Phase:", 11450),
        FindPrint(canvas, "Freq:")};
    EXPECT_LT(order[2], end);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << markersOn;
    EXPECT_EQ(order[3] == end, markersOn == 0);
    EXPECT_EQ(order[4] == end, markersOn == 0);
    // Secondary windows redraw through the open page, until it closes.
    context.canvas.commands.clear();
    context.link.RedrawPlot();
    EXPECT_LT(FindPrint(canvas, "Gain, dB:"), canvas.commands.size());
    page.reset();
    EXPECT_FALSE(context.link.Attached());
  }
}

TEST(PlotPage, PhaseAndDelayAlternateAndRedrawInOrder) {
  const struct {
    const char* button;
    int16_t PlotShared::*flag;
    const char* title;
  } toggles[] = {{"cmdPhase", &PlotShared::PhaseOn, "Phase:"},
                 {"cmdDelay", &PlotShared::DelayOn, "Delay, s:"}};
  for (const auto& t : toggles) {
    PlotPageFixture f;
    f["cmdMonteCarlo"].enabled = false;
    for (const int16_t expected : std::initializer_list<int16_t>{1, 0, 1}) {
      f.Click(t.button);
      EXPECT_EQ(f.shared.*t.flag, expected) << t.button;
      EXPECT_TRUE(f.Enabled("cmdMonteCarlo"));
      EXPECT_TRUE(f.Redrawn());
      EXPECT_EQ(FindPrint(f.canvas, t.title) < f.canvas.commands.size(), expected == 1);
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

TEST(PlotPage, NavigationOpensThePageAndASwitchClosesThePanels) {
  const struct {
    const char* button;
    PageId page;
    OpenMode mode;
  } cases[] = {{"cmdDesign", PageId::Design, OpenMode::Switch},
               {"cmdSchematic", PageId::Schematic, OpenMode::Switch},
               {"cmdTabulate", PageId::Tabulated, OpenMode::Switch},
               {"cmdAbout", PageId::About, OpenMode::Over},
               {"cmdTransient", PageId::Transient, OpenMode::Over},
               {"cmdWrite", PageId::WriteFiles, OpenMode::Modal},
               {"cmdQuit", PageId::Exit, OpenMode::Modal},
               {"cmdMarkers", PageId::Marker, OpenMode::Over},
               {"cmdPoles", PageId::Poles, OpenMode::Modal},
               {"cmdLimits", PageId::Limits, OpenMode::Over}};
  for (const auto& c : cases) {
    PlotPageFixture f;
    f.Click("cmdTunePart");
    f.Click(c.button);
    EXPECT_EQ(f.navigator.opened, (decltype(f.navigator.opened){{c.page, c.mode}})) << c.button;
    EXPECT_EQ(f.shared.EditPanelOn, c.mode == OpenMode::Switch ? 0 : 1) << c.button;
  }
}

// Print closes the panel state for the sheet; a cancelled dialog sends nothing and says so.
TEST(PlotPage, PrintWithACancelledDialogSendsNothing) {
  PlotPageFixture f;
  test::RecordingPrinters printers;
  printers.setup.cancelDialog = true;
  f.context.printers = &printers;
  f.Click("cmdTunePart");
  f.Click("cmdPrint");
  EXPECT_EQ(printers.calls, (Names{"Preview", "SelectPrinter"}));
  EXPECT_EQ(f.dialogs.Texts(), Names{"Cancel was selected."});
  EXPECT_EQ(f.dialogs.messages.back().title, "Printer Error");
  EXPECT_EQ(f.shared.EditPanelOn, 0);
  EXPECT_TRUE(f.canvas.commands.empty());
}

}  // namespace
}  // namespace kestro
