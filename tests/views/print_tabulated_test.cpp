#include "views/print_tabulated.h"

#include <gtest/gtest.h>

#include "support/recording_print_device.h"
#include "views/print_test_record.h"

namespace kestro {
namespace {

// Over forty rows the printout asks first, with a beep; No prints nothing.
TEST(TabulatedPrintout, MoreThanFortyIntervalsAskFirstAndNoPrintsNothing) {
  const std::string more = "\nAre you sure you want to continue and print out the data?";
  const struct {
    int16_t nints;
    MessageAnswer answer;
    std::string question;
    bool printed;
  } cases[]{{40, MessageAnswer::No, "", true},
            {41, MessageAnswer::No,
             "We have 41 lines of data and so will use over 1 sheets of paper. " + more, false},
            {512, MessageAnswer::No,
             "We have 512 lines of data and so will use over 12 sheets of paper. " + more, false},
            {512, MessageAnswer::Yes,
             "We have 512 lines of data and so will use over 12 sheets of paper. " + more, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nints);
    auto record = test::DesignedRecord();
    record->Nints = c.nints;
    test::RecordingPrintDevice device;
    test::ScriptedDialogs dialogs;
    dialogs.answers = {c.answer};
    EXPECT_EQ(TabulatedPrintout(*record, device, dialogs).Run(), c.printed);
    EXPECT_EQ(device.calls.empty(), !c.printed);
    EXPECT_EQ(dialogs.beeps, c.question.empty() ? 0 : 1);
    ASSERT_EQ(dialogs.messages.size(), c.question.empty() ? 0u : 1u);
    if (c.question.empty())
      continue;
    EXPECT_EQ(dialogs.messages[0].title, "Caution");
    EXPECT_EQ(dialogs.messages[0].text, c.question);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
  }
}

}  // namespace
}  // namespace kestro
