#include "views/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/recording_print_device.h"
#include "views/print_plot.h"
#include "views/print_schematic.h"
#include "views/print_summary.h"
#include "views/print_tabulated.h"
#include "views/print_waves.h"
#include "views/views_test_context.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using Strings = std::vector<std::string>;

// What one printout did on the device: whether it reports the sheets sent, and the messages
// ("title: text").
struct Outcome {
  bool sent = false;
  Strings messages;
};

// Runs every sheet on a fresh device set up by `setUp`, with a design of five poles, a marker
// and a limit, and phase and delay on, so that each sheet draws all it can.
template <typename Check>
void ForEachPrintout(const std::function<void(RecordingPrintDevice&)>& setUp, Check check) {
  PlotShared shared;
  shared.DelayOn = shared.PhaseOn = 1;
  TransientState waves;
  waves.SquareFreq = 300;
  const std::vector<
      std::pair<std::string, std::function<bool(DesignRecord&, PrintDevice&, Dialogs&)>>>
      printouts{
          {"summary", [](auto& r, auto& d, auto& m) { return SummaryPrintout(r, d, m).Run(); }},
          {"table", [](auto& r, auto& d, auto& m) { return TabulatedPrintout(r, d, m).Run(); }},
          {"schematic", [](auto& r, auto& d, auto& m) { return SchematicPrintout(r, d, m).Run(); }},
          {"plot", [&](auto& r, auto& d, auto& m) { return PlotPrintout(r, shared, d, m).Run(); }},
          {"waves",
           [&](auto& r, auto& d, auto& m) { return WavesPrintout(r, waves, d, m).Run(); }}};
  for (const auto& [name, print] : printouts) {
    SCOPED_TRACE(name);
    test::ViewsTestContext app(kButterworth, 5);
    app.record.Nints = 40;  // no question before the table
    app.record.MarkerFreq[1] = 1500;
    app.record.MarkersOn = app.record.LimitsOn = 1;
    test::SetLimit(app.record, 1, 1, 0.01f, 900, -3, -300);
    RecordingPrintDevice device;
    setUp(device);
    test::ScriptedDialogs dialogs;
    Outcome outcome{print(app.record, device, dialogs), {}};
    for (const auto& shown : dialogs.messages)
      outcome.messages.push_back(shown.title + ": " + shown.text);
    // The summary has its own message and beeps; the other sheets show the failure.
    EXPECT_EQ(dialogs.beeps, name == "summary" && !outcome.sent ? 1 : 0);
    check(name == "summary", outcome, device);
  }
}

Strings Failure(bool summary, const std::string& failure) {
  return {summary ? ": The summary text file was not sent to the printer."
                  : "Printer Error: " + failure};
}

TEST(PrintJob, ACancelledPreviewOrDialogSendsNothingAndShowsTheMessage) {
  for (const bool inPreview : {true, false}) {
    ForEachPrintout(
        [inPreview](RecordingPrintDevice& d) {
          (inPreview ? d.cancelPreview : d.cancelDialog) = true;
        },
        [inPreview](bool summary, const Outcome& outcome, const RecordingPrintDevice& device) {
          EXPECT_FALSE(outcome.sent);
          EXPECT_EQ(device.calls,
                    (inPreview ? Strings{"Preview"} : Strings{"Preview", "SelectPrinter"}));
          EXPECT_EQ(outcome.messages, Failure(summary, "Cancel was selected."));
        });
  }
}

// The seventh drawing call fails: it is the last call the device gets, and no end of document.
TEST(PrintJob, AFailureStopsTheSheetAtOnceAndNothingMoreIsSent) {
  ForEachPrintout([](RecordingPrintDevice& d) { d.failAtDrawing = 7; },
                  [](bool summary, const Outcome& outcome, const RecordingPrintDevice& device) {
                    const std::string& last = device.calls.back();
                    EXPECT_FALSE(outcome.sent);
                    EXPECT_TRUE(last.starts_with("Write") || last.starts_with("Line") ||
                                last.starts_with("Box") || last.starts_with("Point"))
                        << last;
                    EXPECT_EQ(outcome.messages, Failure(summary, "Out of paper."));
                  });
}

TEST(PrintJob, WithoutPrintersThePrintoutSaysSo) {
  test::ViewsTestContext app;
  EXPECT_FALSE(SchematicPrintout(app.record, *NewPrintJob(nullptr), app.dialogs).Run());
  EXPECT_EQ(app.dialogs.Texts(), Strings{"No printer is available."});
}

}  // namespace
}  // namespace kestro
