#include "app/exit_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/opening_page.h"
#include "app_test_context.h"

namespace kestro::test {
namespace {

const Calls kCloseAndEnd{{Call::Kind::Close, PageId::Exit}, {Call::Kind::End, PageId::Opening}};

// The exit page over a distinct design, in an empty working folder, with a clock that moves a
// quarter second a reading.
struct ExitPageTest : ::testing::Test {
  ExitPageTest() { std::tie(app.clock.now, app.clock.stepPerReading) = std::pair(50000, 0.25); }
  // The notice label's state and whether both buttons are enabled.
  std::tuple<bool, bool, std::string, bool> State() {
    const Control& notice = page["Label1"];
    return {notice.visible, notice.bold, notice.caption,
            page["cmdCancel"].enabled && page["cmdExit"].enabled};
  }
  ScratchDirectory folder;
  AppTestContext app{DistinctSession()};
  ExitPage page{app.context};
};

TEST_F(ExitPageTest, CancelClosesThePageAndSavesNothing) {
  EXPECT_EQ((Strings{page.WindowCaption(), page["cmdCancel"].caption, page["cmdExit"].caption}),
            (Strings{"KestroLab - Exit?", "Cancel and continue", "Exit / quit"}));
  EXPECT_FALSE(page["Label1"].visible);
  page.Click("cmdCancel");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::Exit}}));
  EXPECT_TRUE(folder.Empty());
  EXPECT_TRUE(app.record.SessionFile.empty());
}

// While the three seconds pass the label says the design is saved and both buttons are off.
TEST_F(ExitPageTest, ExitSavesShowsTheNoticeForThreeSecondsAndEnds) {
  int pumpsWithNotice = 0;
  app.events.onPump = [&](int) {
    pumpsWithNotice +=
        State() == std::tuple(true, true,
                              "Design has been saved as 'LASTSESSION' for program restart",
                              false) &&
        app.navigator.calls.empty();
  };
  page.Click("cmdExit");
  EXPECT_EQ(app.record.SessionFile, "LASTSESSION.KST");
  EXPECT_TRUE(std::filesystem::exists("LASTSESSION.KST"));
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_FALSE(page["Label1"].visible);
  // One repaint before the wait, then one per reading until 3 s have passed (0.25 s a reading).
  EXPECT_EQ(std::pair(app.events.calls, pumpsWithNotice), std::pair(1 + 11, 1 + 11));
  EXPECT_GE(app.clock.now - 50000, 3.0);
}

TEST_F(ExitPageTest, AWaitThatCrossesMidnightEnds) {
  app.events.onPump = [&](int call) {
    if (call == 3)
      app.clock.now = 0.5;  // the clock restarted at midnight
  };
  page.Click("cmdExit");
  EXPECT_EQ(app.events.calls, 3);
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
}

TEST_F(ExitPageTest, RestartReadsTheSavedSessionBackIntoAnIdenticalRecord) {
  page.Click("cmdExit");
  AppTestContext next;  // the next start of the program
  OpeningPage(next.context).Click("cmdStart");
  EXPECT_EQ(next.dialogs.Texts(), Strings{});
  EXPECT_EQ(next.record.SessionFile, "LastSession.KST");
  EXPECT_EQ(Session(DistinctSession()), Session(next.record));
}

// A last session that cannot be written is not announced as saved; the user chooses.
TEST_F(ExitPageTest, AFailedSaveAsksBeforeLeavingWithoutIt) {
  std::filesystem::create_directory("LASTSESSION.KST");  // blocks the file
  app.dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
  page.Click("cmdExit");
  ASSERT_GE(app.dialogs.messages.size(), 2u);
  const auto& question = app.dialogs.messages.back();
  EXPECT_EQ(question.text, "The design could not be saved for program restart.\nExit anyway?");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_TRUE(app.navigator.calls.empty());
  EXPECT_FALSE(page["Label1"].visible);
  EXPECT_TRUE(std::get<3>(State()));

  page.Click("cmdExit");  // Yes this time: leaves without the notice and its wait
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_EQ(app.events.calls, 0);
}

}  // namespace
}  // namespace kestro::test
