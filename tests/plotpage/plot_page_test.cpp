// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plot_test_context.h"
#include "support/recording_printers.h"

namespace kestro::test {
namespace {

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
      if ((c.kind == ControlKind::Label) == (o->kind == ControlKind::Label) &&
          c.left < o->left + o->width && o->left < c.left + c.width && c.top < o->top + o->height &&
          o->top < c.top + c.height)
        found.push_back(o->name + "/" + c.name);
    }
    shown.push_back(&c);
  }
  return found;
}

TEST(PlotPage, OpensWithItsCaptionsAndStatesAndNoControlsOverlapInAnyPanel) {
  PlotPageFixture f;
  Names captions{f.page->WindowCaption()};
  for (const char* name : {"cmdPoles", "cmdResetMC", "lblC3edit", "cmdEnterAll", "cmdNearest5"})
    captions.push_back(f[name].caption);
  EXPECT_EQ(captions, (Names{"KestroLab - Plot", "Show poles", "Show Extremes", "C3: ", "Enter all",
                             "Nearest %"}));
  // Optimize waits until limits are shown.
  EXPECT_EQ(f.EnabledOf({"cmdPoles", "cmdNearest5", "cmdRestore", "cmdOptimize"}),
            (Names{"cmdPoles", "cmdNearest5"}));
  for (const char* opener :
       {"cmdReset", "cmdTunePart", "cmdEditPart", "cmdTuneWidth", "cmdMonteCarlo", "cmdNearest5"}) {
    f.Click("cmdReset");
    f.Click(opener);
    EXPECT_EQ(Collisions(*f.page), Names{}) << opener;
  }
}

// Nothing is drawn before the window shows the page; then gain, delay, the mouse hint and the
// phase, and with markers on the marker table. Other windows redraw through the page.
TEST(PlotPage, DrawsGainDelayAndTheHintThenPhaseAndMarkersWhenShown) {
  for (const int16_t markersOn : std::initializer_list<int16_t>{0, 1}) {
    SCOPED_TRACE("MarkersOn " + std::to_string(markersOn));
    PlotTestContext t;
    t.shared.DelayOn = t.shared.PhaseOn = 1;
    t.record.MarkersOn = markersOn;
    t.record.MarkerFreq[1] = 1000;
    auto page = std::make_unique<PlotPage>(t.context, t.link);
    EXPECT_TRUE(t.canvas.commands.empty());
    page->SetCanvas(&t.canvas);
    page->OnShown();
    const std::size_t end = t.canvas.commands.size();
    const std::vector<std::size_t> order = {
        FindPrint(t.canvas, "Gain, dB:"), FindPrint(t.canvas, "Delay, s:"),
        FindPrint(t.canvas, "Mousedown for data"), FindPrint(t.canvas, "Phase:", 11450),
        FindPrint(t.canvas, "Freq:")};
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_LT(order[3], end);
    EXPECT_EQ(order[4] == end, markersOn == 0);
    t.canvas.commands.clear();
    t.link.RedrawPlot();
    EXPECT_TRUE(t.Shows("Gain, dB:"));
    page.reset();
    EXPECT_FALSE(t.link.Attached());
  }
}

TEST(PlotPage, PrintWithACancelledDialogSendsNothingAndSaysSo) {
  PlotPageFixture f;
  RecordingPrinters printers;
  printers.setup.cancelDialog = true;
  f.context.printers = &printers;
  f.Click("cmdPrint");
  EXPECT_EQ(printers.calls, (Names{"Preview", "SelectPrinter"}));
  EXPECT_EQ(f.dialogs.Texts(), Names{"Cancel was selected."});
  EXPECT_EQ(f.dialogs.messages.back().title, "Printer Error");
}

}  // namespace
}  // namespace kestro::test
