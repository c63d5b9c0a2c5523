#include "views/print_tabulated.h"

#include <gtest/gtest.h>

#include "support/recording_print_device.h"
#include "views/print_test_record.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using test::ScriptedDialogs;
using Strings = std::vector<std::string>;

// The questions asked ("title|buttons|icon|text"), the beeps, and whether anything was printed.
std::tuple<Strings, int, bool, bool> Ask(int16_t nints, MessageAnswer answer) {
  auto record = test::DesignedRecord();
  record->Nints = nints;
  RecordingPrintDevice device;
  ScriptedDialogs dialogs;
  dialogs.answers = {answer};
  const bool sent = TabulatedPrintout(*record, device, dialogs).Run();
  Strings questions;
  for (const auto& shown : dialogs.messages) {
    const bool yesNoQuestion =
        shown.buttons == MessageButtons::YesNo && shown.icon == MessageIcon::Question;
    questions.push_back(shown.title + (yesNoQuestion ? "|YesNo|Question|" : "|other|") +
                        shown.text);
  }
  return {questions, dialogs.beeps, sent, !device.calls.empty()};
}

TEST(TabulatedPrintout, MoreThanFortyIntervalsAskFirstAndNoPrintsNothing) {
  const std::string more = "\nAre you sure you want to continue and print out the data?";
  const std::string ask41 =
      "Caution|YesNo|Question|We have 41 lines of data and so will use over 1 sheets of paper. ";
  const std::string ask512 =
      "Caution|YesNo|Question|We have 512 lines of data and so will use over 12 sheets of paper. ";
  const std::vector<std::tuple<int16_t, MessageAnswer, std::tuple<Strings, int, bool, bool>>> cases{
      {40, MessageAnswer::No, {Strings{}, 0, true, true}},  // no question at 40
      {41, MessageAnswer::No, {Strings{ask41 + more}, 1, false, false}},
      {512, MessageAnswer::No, {Strings{ask512 + more}, 1, false, false}},
      {512, MessageAnswer::Yes, {Strings{ask512 + more}, 1, true, true}},
  };
  for (const auto& [nints, answer, expected] : cases)
    EXPECT_EQ(Ask(nints, answer), expected) << nints;
}

}  // namespace
}  // namespace kestro
