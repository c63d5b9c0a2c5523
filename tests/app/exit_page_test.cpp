#include "app/exit_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/opening_page.h"
#include "app_test_context.h"
#include "files/session_file.h"

namespace kestro::test {
namespace {

using Call = RecordingNavigator::Call;
const std::vector<Call> kCloseAndEnd{{Call::Kind::Close, PageId::Exit, OpenMode::Over},
                                     {Call::Kind::End, PageId::Opening, OpenMode::Over}};

class ExitPageTest : public ::testing::Test {
 protected:
  ExitPageTest() {
    app.record = DistinctSession();
    app.clock.now = 50000;
    app.clock.stepPerReading = 0.25;
  }
  ScratchDirectory folder;
  AppTestContext app;
};

TEST_F(ExitPageTest, ShowsItsButtonsAndAHiddenLabel) {
  ExitPage page(app.context);
  EXPECT_EQ(page.WindowCaption(), "KestroLab - Exit?");
  EXPECT_EQ(page["cmdCancel"].caption, "Cancel and continue");
  EXPECT_EQ(page["cmdExit"].caption, "Exit / quit");
  EXPECT_FALSE(page["Label1"].visible);
}

TEST_F(ExitPageTest, CancelClosesThePageAndSavesNothing) {
  ExitPage page(app.context);
  page.Click("cmdCancel");
  EXPECT_EQ(app.navigator.calls,
            (std::vector<Call>{{Call::Kind::Close, PageId::Exit, OpenMode::Over}}));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_TRUE(app.record.SessionFile.empty());
}

// While the three seconds pass the label says the design is saved and both buttons are off.
TEST_F(ExitPageTest, ExitSavesShowsTheNoticeForThreeSecondsAndEnds) {
  ExitPage page(app.context);
  int pumpsWithNotice = 0;
  app.events.onPump = [&](int) {
    const Control& notice = page["Label1"];
    if (notice.visible && notice.bold &&
        notice.caption == "Design has been saved as 'LASTSESSION' for program restart" &&
        !page["cmdCancel"].enabled && !page["cmdExit"].enabled && app.navigator.calls.empty()) {
      ++pumpsWithNotice;
    }
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
  ExitPage page(app.context);
  app.events.onPump = [&](int call) {
    if (call == 3)
      app.clock.now = 0.5;  // the clock restarted at midnight
  };
  page.Click("cmdExit");
  EXPECT_EQ(app.events.calls, 3);
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
}

TEST_F(ExitPageTest, RestartReadsTheSavedSessionBackIntoAnIdenticalRecord) {
  const DesignRecord saved = app.record;
  ExitPage(app.context).Click("cmdExit");

  AppTestContext next;  // the next start of the program
  OpeningPage(next.context).Click("cmdStart");
  EXPECT_TRUE(next.dialogs.Texts().empty());
  EXPECT_EQ(next.record.SessionFile, "LastSession.KST");
  EXPECT_TRUE(SameSession(saved, next.record));
}

// A last session that cannot be written is not announced as saved; the user chooses.
TEST_F(ExitPageTest, AFailedSaveAsksBeforeLeavingWithoutIt) {
  std::filesystem::create_directory(folder.Path() / "LASTSESSION.KST");  // blocks the file
  {
    AppTestContext stay;
    stay.dialogs.answers.push_back(MessageAnswer::No);
    ExitPage page(stay.context);
    page.Click("cmdExit");
    ASSERT_GE(stay.dialogs.messages.size(), 2u);
    const auto& question = stay.dialogs.messages.back();
    EXPECT_EQ(question.text, "The design could not be saved for program restart.\nExit anyway?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(stay.navigator.calls.empty());
    EXPECT_FALSE(page["Label1"].visible);
    EXPECT_TRUE(page["cmdExit"].enabled);
    EXPECT_TRUE(page["cmdCancel"].enabled);
  }
  AppTestContext leave;
  leave.dialogs.answers.push_back(MessageAnswer::Yes);
  ExitPage page(leave.context);
  page.Click("cmdExit");
  EXPECT_EQ(leave.navigator.calls, kCloseAndEnd);
  EXPECT_EQ(leave.events.calls, 0);  // no notice, no wait
}

}  // namespace
}  // namespace kestro::test
