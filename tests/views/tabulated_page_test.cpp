// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/tabulated_page.h"

#include <gtest/gtest.h>

#include "files/scratch_folder.h"
#include "support/recording_printers.h"
#include "views/tabulated_rows.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

// Every point, under a fixed-pitch heading; Print asks about the 51 sheets first, and No sends
// nothing.
TEST(TabulatedPage, ListsEveryPointUnderAFixedPitchHeadingAndAsksBeforePrintingThem) {
  ViewsTestContext app;
  app.record.Nints = 2048;
  Analyze(app.record);
  TabulatedPage page(app.context);
  const Control& list = page["lstTabulated"];
  ASSERT_EQ(list.rows.size(), 2049u);
  EXPECT_EQ(list.rows.back(), TabulatedRow(app.record, 2048));
  EXPECT_EQ(
      (Strings{page.WindowCaption(), page["Label1"].caption}),
      (Strings{"KestroLab - Tabulated output", "Freq:        Gain:       Phase:      Delay:"}));
  EXPECT_TRUE(list.fixedPitch && page["Label1"].fixedPitch);
  RecordingPrinters printers;
  app.context.printers = &printers;
  app.dialogs.answers = {MessageAnswer::No};
  page.Click("cmdPrint");
  EXPECT_EQ(app.dialogs.Texts(),
            Strings{"We have 2048 lines of data and so will use over 51 sheets of paper. \nAre you "
                    "sure you want to continue and print out the data?"});
  EXPECT_EQ(printers.calls, Strings{});
}

// Quit saves the session as the exit page does and ends the program without its notice; a
// session that cannot be written asks first.
TEST(TabulatedPage, QuitSavesTheSessionAndEndsAtOnce) {
  const Calls closeAndEnd{{Call::Kind::Close, PageId::Tabulated},
                          {Call::Kind::End, PageId::Opening}};
  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    SCOPED_TRACE(answer == MessageAnswer::Yes ? "answered Yes" : "answered No");
    ScratchFolder folder;
    ViewsTestContext saved;
    TabulatedPage(saved.context).Click("cmdQuit");
    EXPECT_EQ(folder.Entries(), Strings{"LASTSESSION.KST"});
    EXPECT_EQ(saved.navigator.calls, closeAndEnd);
    std::filesystem::remove("LASTSESSION.KST");
    std::filesystem::create_directory("LASTSESSION.KST");  // cannot be written as a file
    ViewsTestContext blocked;
    blocked.dialogs.answers = {answer};
    TabulatedPage(blocked.context).Click("cmdQuit");
    EXPECT_EQ(blocked.dialogs.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(blocked.navigator.calls, answer == MessageAnswer::Yes ? closeAndEnd : Calls{});
  }
}

}  // namespace
}  // namespace kestro::test
