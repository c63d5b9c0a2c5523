// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exit_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app_test_context.h"

namespace kestro::test {
namespace {

const Calls kCloseAndEnd{{Call::Kind::Close, PageId::Exit}, {Call::Kind::End, PageId::Opening}};

// The exit page over a distinct design, in an empty working folder, with a clock that moves a
// quarter second a reading.
struct ExitPageTest : ::testing::Test {
  ExitPageTest() {
    app.clock.now = 50000;
    app.clock.stepPerReading = 0.25;
  }
  ScratchFolder folder;
  AppTestContext app{DistinctSession()};
  ExitPage page{app.context};
};

// While the three seconds pass the label says the design is saved and both buttons are off.
TEST_F(ExitPageTest, ExitSavesShowsTheNoticeForThreeSecondsAndEnds) {
  int pumpsWithNotice = 0;
  app.events.onPump = [&](int) {
    const Control& notice = page["Label1"];
    pumpsWithNotice +=
        notice.visible && notice.bold &&
        notice.caption == "Design has been saved as 'LASTSESSION' for program restart" &&
        !page["cmdCancel"].enabled && !page["cmdExit"].enabled && app.navigator.calls.empty();
  };
  page.Click("cmdExit");
  EXPECT_EQ(folder.Entries(), Strings{"LASTSESSION.KST"});
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_FALSE(page["Label1"].visible);
  // One repaint before the wait, then one per reading until 3 s have passed (0.25 s a reading).
  EXPECT_EQ(app.events.calls, 1 + 11);
  EXPECT_EQ(pumpsWithNotice, 1 + 11);
}

TEST_F(ExitPageTest, AWaitThatCrossesMidnightEnds) {
  // The clock restarts at midnight during the third repaint.
  app.events.onPump = [&](int call) { app.clock.now = call == 3 ? 0.5 : app.clock.now; };
  page.Click("cmdExit");
  EXPECT_EQ(app.events.calls, 3);
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
}

// A last session that cannot be written is not announced as saved; the user chooses.
TEST_F(ExitPageTest, AFailedSaveAsksBeforeLeavingWithoutIt) {
  EXPECT_EQ((Strings{page.WindowCaption(), page["cmdCancel"].caption, page["cmdExit"].caption}),
            (Strings{"KestroLab - Exit?", "Cancel and continue", "Exit / quit"}));
  std::filesystem::create_directory("LASTSESSION.KST");  // blocks the file
  app.dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
  page.Click("cmdExit");
  ASSERT_GE(app.dialogs.messages.size(), 2u);
  EXPECT_EQ(app.dialogs.messages.back().text,
            "The design could not be saved for program restart.\nExit anyway?");
  EXPECT_EQ(app.dialogs.messages.back().buttons, MessageButtons::YesNo);
  EXPECT_TRUE(app.navigator.calls.empty());
  EXPECT_FALSE(page["Label1"].visible);
  EXPECT_TRUE(page["cmdCancel"].enabled && page["cmdExit"].enabled);

  page.Click("cmdExit");  // Yes this time: leaves without the notice and its wait
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_EQ(app.events.calls, 0);
}

}  // namespace
}  // namespace kestro::test
