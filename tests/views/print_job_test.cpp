#include "views/print_job.h"

#include <gtest/gtest.h>

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

// The summary has its own message; the other sheets show the failure's description.
ScriptedDialogs::Shown ExpectedMessage(const std::string& printout, const std::string& failure) {
  if (printout == "summary")
    return {"The summary text file was not sent to the printer.", MessageButtons::Ok,
            MessageIcon::None, ""};
  return {failure, MessageButtons::Ok, MessageIcon::None, "Printer Error"};
}

void ExpectMessage(const ScriptedDialogs& dialogs, const ScriptedDialogs::Shown& expected,
                   const std::string& label) {
  ASSERT_EQ(dialogs.messages.size(), 1u) << label;
  const auto& shown = dialogs.messages.front();
  EXPECT_EQ(std::tie(shown.text, shown.buttons, shown.title),
            std::tie(expected.text, expected.buttons, expected.title))
      << label;
}

TEST(PrintJob, ACancelledPreviewOrDialogSendsNothingAndShowsTheMessage) {
  for (const auto& [name, print] : Printouts()) {
    for (const bool inPreview : {true, false}) {
      auto record = RecordWithEverything();
      RecordingPrintDevice device;
      (inPreview ? device.cancelPreview : device.cancelDialog) = true;
      ScriptedDialogs dialogs;
      EXPECT_FALSE(print(*record, device, dialogs)) << name;
      const Strings sent = inPreview ? Strings{"Preview"} : Strings{"Preview", "SelectPrinter"};
      EXPECT_EQ(device.calls, sent) << name;
      ExpectMessage(dialogs, ExpectedMessage(name, "Cancel was selected."), name);
      EXPECT_EQ(dialogs.beeps, name == "summary" ? 1 : 0) << name;
    }
  }
}

TEST(PrintJob, AFailureStopsTheSheetAtOnceAndNothingMoreIsSent) {
  for (const auto& [name, print] : Printouts()) {
    auto record = RecordWithEverything();
    RecordingPrintDevice device;
    device.failAtDrawing = 7;
    ScriptedDialogs dialogs;
    EXPECT_FALSE(print(*record, device, dialogs)) << name;
    int drawings = 0;
    for (const std::string& call : device.calls)
      drawings += call.rfind("Write", 0) == 0 || call.rfind("Line", 0) == 0 ||
                  call.rfind("Box", 0) == 0 || call.rfind("Point", 0) == 0 ||
                  call.rfind("Circle", 0) == 0 || call.rfind("NewPage", 0) == 0;
    EXPECT_EQ(drawings, 7) << name;  // the failing call was the last one
    EXPECT_NE(device.calls.back(), "EndDocument") << name;
    ExpectMessage(dialogs, ExpectedMessage(name, "Out of paper."), name);
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
    auto record = RecordWithEverything();
    RecordingPrintDevice device;
    ScriptedDialogs dialogs;
    EXPECT_TRUE(print(*record, device, dialogs)) << name;
    ASSERT_GE(device.calls.size(), 3u) << name;
    EXPECT_EQ(device.calls.back(), "EndDocument") << name;
    const Strings printed(device.calls.begin() + 2, device.calls.end() - 1);
    EXPECT_GT(printed.size(), 20u) << name;
    EXPECT_EQ(withoutDates(device.previewCalls), withoutDates(printed)) << name;
    EXPECT_TRUE(dialogs.messages.empty()) << name;
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
