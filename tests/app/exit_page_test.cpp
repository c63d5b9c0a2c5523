#include "app/exit_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/opening_page.h"
#include "app_test_context.h"

namespace kestro::test {
namespace {

using Call = RecordingNavigator::Call;
const std::vector<Call> kCloseAndEnd{{Call::Kind::Close, PageId::Exit},
                                     {Call::Kind::End, PageId::Opening}};

// The exit page over a distinct design, in an empty working folder, with a clock that moves a
// quarter second a reading.
struct ExitPageTest : ::testing::Test {
  ExitPageTest() {
    app.clock.now = 50000;
    app.clock.stepPerReading = 0.25;
  }
  ScratchDirectory folder;
  AppTestContext app{DistinctSession()};
  ExitPage page{app.context};
};

TEST_F(ExitPageTest, CancelClosesThePageAndSavesNothing) {
  EXPECT_EQ(page.WindowCaption(), "KestroLab - Exit?");
  EXPECT_EQ(page["cmdCancel"].caption, "Cancel and continue");
  EXPECT_EQ(page["cmdExit"].caption, "Exit / quit");
  EXPECT_FALSE(page["Label1"].visible);
  page.Click("cmdCancel");
  EXPECT_EQ(app.navigator.calls, (std::vector<Call>{{Call::Kind::Close, PageId::Exit}}));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_TRUE(app.record.SessionFile.empty());
}

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
  EXPECT_EQ(app.record.SessionFile, "LASTSESSION.KST");
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "LASTSESSION.KST"));
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_FALSE(page["Label1"].visible);
  // One repaint before the wait, then one per reading until 3 s have passed (0.25 s a reading).
  EXPECT_EQ(app.events.calls, 1 + 11);
  EXPECT_EQ(pumpsWithNotice, app.events.calls);
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
  EXPECT_TRUE(next.dialogs.Texts().empty());
  EXPECT_EQ(next.record.SessionFile, "LastSession.KST");
  EXPECT_TRUE(SameSession(DistinctSession(), next.record));
}

// A last session that cannot be written is not announced as saved; the user chooses.
TEST_F(ExitPageTest, AFailedSaveAsksBeforeLeavingWithoutIt) {
  std::filesystem::create_directory(folder.Path() / "LASTSESSION.KST");  // blocks the file
  app.dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
  page.Click("cmdExit");
  ASSERT_GE(app.dialogs.messages.size(), 2u);
  const auto& question = app.dialogs.messages.back();
  EXPECT_EQ(question.text, "The design could not be saved for program restart.\nExit anyway?");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_TRUE(app.navigator.calls.empty());
  EXPECT_FALSE(page["Label1"].visible);
  EXPECT_TRUE(page["cmdExit"].enabled && page["cmdCancel"].enabled);

  page.Click("cmdExit");  // Yes this time: leaves without the notice and its wait
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_EQ(app.events.calls, 0);
}

}  // namespace
}  // namespace kestro::test
