#include "views/print_tabulated.h"

#include <gtest/gtest.h>

#include "support/recording_print_device.h"
#include "views/print_test_record.h"

namespace kestro {
namespace {

using test::RecordingPrintDevice;
using test::ScriptedDialogs;

TEST(TabulatedPrintout, MoreThanFortyIntervalsAskFirstAndNoPrintsNothing) {
  const std::vector<std::tuple<int16_t, int, bool, std::string>> cases{
      // Nints, questions asked, answer Yes, the question's first line
      {40, 0, true, ""},
      {41, 1, false, "We have 41 lines of data and so will use over 1 sheets of paper. "},
      {512, 1, false, "We have 512 lines of data and so will use over 12 sheets of paper. "},
      {512, 1, true, "We have 512 lines of data and so will use over 12 sheets of paper. "},
  };
  for (const auto& [nints, questions, yes, firstLine] : cases) {
    auto record = test::DesignedRecord();
    record->Nints = nints;
    RecordingPrintDevice device;
    ScriptedDialogs dialogs;
    dialogs.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
    EXPECT_EQ(TabulatedPrintout(*record, device, dialogs).Run(), yes) << nints;
    ASSERT_EQ(dialogs.messages.size(), static_cast<std::size_t>(questions)) << nints;
    EXPECT_EQ(dialogs.beeps, questions);
    EXPECT_EQ(device.calls.empty(), !yes) << nints;
    if (questions == 0)
      continue;
    const auto& shown = dialogs.messages.front();
    EXPECT_EQ(
        std::tie(shown.buttons, shown.icon, shown.title),
        std::make_tuple(MessageButtons::YesNo, MessageIcon::Question, std::string("Caution")));
    EXPECT_EQ(shown.text,
              firstLine + "\nAre you sure you want to continue and print out the data?");
  }
}

}  // namespace
}  // namespace kestro
