#include "views/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>

#include "support/recording_print_device.h"
#include "views/print_plot.h"
#include "views/print_schematic.h"
#include "views/print_summary.h"
#include "views/print_tabulated.h"
#include "views/print_test_record.h"
#include "views/print_waves.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using test::ScriptedDialogs;
using Strings = std::vector<std::string>;
using Printout = std::function<bool(DesignRecord&, PrintDevice&, Dialogs&)>;

// Every sheet, with phase, delay, markers and limits on so that the plot draws all it can.
const std::vector<std::pair<std::string, Printout>>& Printouts() {
  static PlotShared shared = [] {
    PlotShared on;
    on.DelayOn = on.PhaseOn = 1;
    return on;
  }();
  static TransientState waves = [] {
    TransientState state;
    state.SquareFreq = 300;
    return state;
  }();
  static const std::vector<std::pair<std::string, Printout>> printouts{
      {"summary", [](auto& r, auto& d, auto& m) { return SummaryPrintout(r, d, m).Run(); }},
      {"table", [](auto& r, auto& d, auto& m) { return TabulatedPrintout(r, d, m).Run(); }},
      {"schematic", [](auto& r, auto& d, auto& m) { return SchematicPrintout(r, d, m).Run(); }},
      {"plot", [](auto& r, auto& d, auto& m) { return PlotPrintout(r, shared, d, m).Run(); }},
      {"waves", [](auto& r, auto& d, auto& m) { return WavesPrintout(r, waves, d, m).Run(); }},
  };
  return printouts;
}

std::unique_ptr<DesignRecord> RecordWithEverything() {
  auto record = test::DesignedRecord(5);
  record->Nints = 40;  // no question before the table
  record->MarkerFreq[1] = 1500;
  record->MarkersOn = 1;
  test::SetLimit(*record, 1, 1, 0.01f, 900, -3, -300);
  record->LimitsOn = 1;
  return record;
}

// What one printout did: whether it reports the sheets sent, the device's calls, the messages
// ("title: text") and the beeps.
struct Outcome {
  bool sent = false;
  Strings calls, previewCalls, messages;
  int beeps = 0;
};

Outcome PrintOn(const Printout& print, RecordingPrintDevice& device) {
  auto record = RecordWithEverything();
  ScriptedDialogs dialogs;
  Outcome outcome{
      print(*record, device, dialogs), device.calls, device.previewCalls, {}, dialogs.beeps};
  for (const auto& shown : dialogs.messages)
    outcome.messages.push_back(shown.title + ": " + shown.text);
  return outcome;
}

// The summary has its own message and beeps; the other sheets show the failure's description.
Strings ExpectedMessages(const std::string& printout, const std::string& failure) {
  if (printout == "summary")
    return {": The summary text file was not sent to the printer."};
  return {"Printer Error: " + failure};
}

// The calls that draw on the sheet ("Line ...", "Write ..."), not its settings.
long DrawingCalls(const Strings& calls) {
  return std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
    return c.find(' ') != std::string::npos && !c.starts_with("Font") && !c.starts_with("Width") &&
           !c.starts_with("Origin") && !c.starts_with("Area");
  });
}

TEST(PrintJob, ACancelledPreviewOrDialogSendsNothingAndShowsTheMessage) {
  for (const auto& [name, print] : Printouts()) {
    for (const bool inPreview : {true, false}) {
      SCOPED_TRACE(name + (inPreview ? " preview" : " dialog"));
      RecordingPrintDevice device;
      (inPreview ? device.cancelPreview : device.cancelDialog) = true;
      const Outcome outcome = PrintOn(print, device);
      EXPECT_FALSE(outcome.sent);
      EXPECT_EQ(outcome.calls,
                (inPreview ? Strings{"Preview"} : Strings{"Preview", "SelectPrinter"}));
      EXPECT_EQ(outcome.messages, ExpectedMessages(name, "Cancel was selected."));
      EXPECT_EQ(outcome.beeps, name == "summary" ? 1 : 0);
    }
  }
}

// The seventh drawing call fails: it is the last call the device gets, and no end of document.
TEST(PrintJob, AFailureStopsTheSheetAtOnceAndNothingMoreIsSent) {
  for (const auto& [name, print] : Printouts()) {
    SCOPED_TRACE(name);
    RecordingPrintDevice device;
    device.failAtDrawing = 7;
    const Outcome outcome = PrintOn(print, device);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(outcome.messages, ExpectedMessages(name, "Out of paper."));
    EXPECT_EQ(DrawingCalls(outcome.calls), 7);
    EXPECT_EQ(DrawingCalls({outcome.calls.back()}), 1);
  }
}

// The preview draws with the same code: what it shows is what the printer gets (the clock may
// tick between the two, so the date lines are left out).
TEST(PrintJob, ThePreviewShowsExactlyWhatIsPrinted) {
  const std::regex date(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  const auto withoutDates = [&date](Strings calls) {
    std::erase_if(calls, [&date](const std::string& c) { return std::regex_search(c, date); });
    return calls;
  };
  for (const auto& [name, print] : Printouts()) {
    SCOPED_TRACE(name);
    RecordingPrintDevice device;
    const Outcome outcome = PrintOn(print, device);
    ASSERT_GT(outcome.calls.size(), 20u);
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.messages, Strings{});
    EXPECT_EQ(outcome.calls.back(), "EndDocument");
    EXPECT_EQ(withoutDates(outcome.previewCalls),
              withoutDates({outcome.calls.begin() + 2, outcome.calls.end() - 1}));
  }
}

TEST(PrintJob, WithoutPrintersThePrintoutSaysSo) {
  auto record = RecordWithEverything();
  ScriptedDialogs dialogs;
  EXPECT_FALSE(SchematicPrintout(*record, *NewPrintJob(nullptr), dialogs).Run());
  EXPECT_EQ(dialogs.Texts(), Strings{"No printer is available."});
}

}  // namespace
}  // namespace kestro
