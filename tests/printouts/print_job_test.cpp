// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "printouts/print_plot.h"
#include "printouts/print_schematic.h"
#include "printouts/print_summary.h"
#include "printouts/print_tabulated.h"
#include "printouts/print_waves.h"
#include "support/recording_print_device.h"
#include "views/views_test_context.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using Strings = std::vector<std::string>;

// Every sheet, on a device that cancels its preview, cancels its printer dialog or fails at its
// seventh drawing call, with a design of five poles, a marker and a limit, and phase and delay
// on, so that each sheet draws all it can: nothing is reported sent, the device gets nothing
// after the failure, and the user reads why. The summary has its own message and a beep.
TEST(PrintJob, ACancelOrAFailureStopsThePrintoutAndShowsTheMessage) {
  const PlotPrintout::Curves curves{true, true};
  const test::ManualClock clock;
  TransientState waves;
  waves.SquareFreq = 300;
  using Printout = std::function<bool(DesignRecord&, PrintDevice&, Dialogs&)>;
  const std::vector<std::pair<std::string, Printout>> printouts{
      {"summary", [&](auto& r, auto& d, auto& m) { return SummaryPrintout(r, d, m, clock).Run(); }},
      {"table", [&](auto& r, auto& d, auto& m) { return TabulatedPrintout(r, d, m, clock).Run(); }},
      {"schematic",
       [&](auto& r, auto& d, auto& m) { return SchematicPrintout(r, d, m, clock).Run(); }},
      {"plot",
       [&](auto& r, auto& d, auto& m) { return PlotPrintout(r, curves, d, m, clock).Run(); }},
      {"waves", [&](auto& r, auto& d, auto& m) { return WavesPrintout(r, waves, d, m).Run(); }}};
  const struct {
    std::function<void(RecordingPrintDevice&)> setUp;
    std::string failure;
    Strings calls;  // empty: up to the failing drawing call
  } ways[]{{[](auto& d) { d.cancelPreview = true; }, "Cancel was selected.", {"Preview"}},
           {[](auto& d) { d.cancelDialog = true; },
            "Cancel was selected.",
            {"Preview", "SelectPrinter"}},
           {[](auto& d) { d.failAtDrawing = 7; }, "Out of paper.", {}}};
  for (const auto& way : ways) {
    for (const auto& [name, print] : printouts) {
      SCOPED_TRACE(name + ": " + way.failure);
      test::ViewsTestContext app(kButterworth, 5);
      app.record.Nints = 40;  // no question before the table
      app.record.MarkerFreq[1] = 1500, app.record.MarkersOn = app.record.LimitsOn = 1;
      test::SetLimit(app.record, 1, 1, 0.01f, 900, -3, -300);
      RecordingPrintDevice device;
      way.setUp(device);
      EXPECT_FALSE(print(app.record, device, app.dialogs));
      const std::string& last = device.calls.back();
      if (way.calls.empty())
        EXPECT_TRUE(last.starts_with("Write") || last.starts_with("Line") ||
                    last.starts_with("Box") || last.starts_with("Point"))
            << last;
      else
        EXPECT_EQ(device.calls, way.calls);
      const bool summary = name == "summary";
      ASSERT_EQ(app.dialogs.messages.size(), 1u);
      EXPECT_EQ(app.dialogs.messages[0].title + ": " + app.dialogs.messages[0].text,
                summary ? ": The summary text file was not sent to the printer."
                        : "Printer Error: " + way.failure);
      EXPECT_EQ(app.dialogs.beeps, summary ? 1 : 0);
    }
  }
}

// The plot sheet with every part on declares an area that holds all its text, "Phase:" at the
// right edge included, so a device that shrinks the area into its printable part clips nothing.
TEST(PrintJob, ThePlotSheetsAreaHoldsEveryText) {
  test::ViewsTestContext app(kButterworth, 5);
  app.record.MarkerFreq[1] = 1500, app.record.MarkersOn = app.record.LimitsOn = 1;
  test::SetLimit(app.record, 1, 1, 0.01f, 900, -3, -300);
  const PlotPrintout::Curves curves{true, true};
  RecordingPrintDevice device;
  PlotPrintout(app.record, curves, device, app.dialogs, app.clock).DrawSheets(device);
  float width = 0, height = 0, left = 0, top = 0;
  for (const std::string& call : device.calls) {
    std::sscanf(call.c_str(), "Area %f,%f", &width, &height);
    std::sscanf(call.c_str(), "Origin %f,%f", &left, &top);
  }
  ASSERT_FALSE(device.texts.empty());
  for (const RecordingPrintDevice::Text& text : device.texts) {
    SCOPED_TRACE(text.text);
    EXPECT_LE(left + text.x + device.TextWidth(text.text), width);
    EXPECT_LE(top + text.y + device.TextHeight(), height);
  }
}

TEST(PrintJob, WithoutPrintersThePrintoutSaysSo) {
  test::ViewsTestContext app;
  EXPECT_FALSE(SchematicPrintout(app.record, *NewPrintJob(nullptr), app.dialogs, app.clock).Run());
  EXPECT_EQ(app.dialogs.Texts(), Strings{"No printer is available."});
}

}  // namespace
}  // namespace kestro
