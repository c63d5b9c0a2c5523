#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <tuple>

#include "app/about_page.h"
#include "app/exit_page.h"
#include "app/opening_page.h"
#include "app_test_context.h"
#include "files/session_file.h"
#include "support/recording_canvas.h"

namespace kestro::test {
namespace {

const Calls kOpenDesign{{Call::Kind::Open, PageId::Design, OpenMode::Switch}};

TEST(OpeningPage, ShowsItsTextsAndDrawsTheDecorationWhenShown) {
  AppTestContext app;
  OpeningPage page(app.context);
  EXPECT_EQ((Strings{page.WindowCaption(), page["lblTitle"].caption, page["lblDescription"].caption,
                     page["cmdGetOld"].caption, page["cmdStart"].caption}),
            (Strings{"KestroLab - Welcome!", "KestroLab",
                     "The program to design and analyze unity-gain Sallen-Key lowpass filters",
                     "Retrieve an olde design", "Restart at last session"}));
  EXPECT_FALSE(page["lblVersion"].caption.empty() || page["lblCredit"].caption.empty());
  EXPECT_FLOAT_EQ(app.record.Pi, static_cast<float>(4 * std::atan(1.0)));

  RecordingCanvas canvas;
  page.SetCanvas(&canvas);
  page.OnShown();
  ASSERT_FALSE(canvas.Printed().empty());
  EXPECT_EQ(canvas.Printed().back().text, "Output");
  std::set<std::tuple<int, int, int>> colours;
  for (const auto& line : canvas.commands) {
    if (line.kind == DrawCommand::Kind::Line || line.kind == DrawCommand::Kind::LineTo) {
      colours.insert({line.colour.r, line.colour.g, line.colour.b});
      // Across the page, between the description and the version line.
      EXPECT_TRUE(line.x1 >= 0 && line.x1 <= kPageWidth && line.y1 > 2000 && line.y1 < 6900)
          << line.x1 << "," << line.y1;
    }
  }
  EXPECT_GE(colours.size(), 3u);  // coloured line work
}

TEST(OpeningPage, RetrieveSetsDefaultsThenReadsTheChosenFile) {
  ScratchFolder folder;
  AppTestContext app;
  DesignRecord saved = DistinctSession();
  ASSERT_EQ(WriteSessionFile(saved, "old.KST"), std::nullopt);
  app.dialogs.fileAnswers.push_back("old.KST");
  OpeningPage(app.context).Click("cmdGetOld");
  EXPECT_EQ(Describe(app.dialogs.openRequests), "Get File | KESTRO files (*.KST)|*.KST |  | 1\n");
  EXPECT_EQ(app.record.SessionFile, "old.KST");
  EXPECT_EQ(Session(DistinctSession()), Session(app.record));
  EXPECT_EQ(app.navigator.calls, kOpenDesign);

  AppTestContext cancelled;
  std::tie(cancelled.record.Nints, cancelled.record.Apass) = std::pair(99, 7.0f);
  OpeningPage(cancelled.context).Click("cmdGetOld");  // nothing is read
  EXPECT_TRUE(cancelled.record.SessionFile.empty());
  EXPECT_EQ(cancelled.dialogs.Texts(), Strings{});
  EXPECT_EQ(Session(OpeningDefaults()), Session(cancelled.record));
  EXPECT_FLOAT_EQ(cancelled.record.DelayTop, 0.0012f);
  EXPECT_EQ(cancelled.navigator.calls, kOpenDesign);
}

// Values out of the design page's ranges are repaired with its messages; the rest stays as saved.
TEST(OpeningPage, RestartRepairsWhatTheFileHeldOutOfRange) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  std::tie(saved.Family, saved.Order, saved.Nints) = std::tuple(9, 23, 2049);
  ASSERT_EQ(WriteSessionFile(saved, "LASTSESSION.KST"), std::nullopt);
  AppTestContext app;
  OpeningPage(app.context).Click("cmdStart");
  EXPECT_EQ(app.dialogs.Texts(), (Strings{"The order has been reset downward to 11",
                                          "Number of test frequencies has been reset downward to "
                                          "2048"}));
  EXPECT_EQ(std::tuple(app.record.Family, app.record.Order, app.record.Nints, app.record.Apass),
            std::tuple(kButterworth, 11, 2048, saved.Apass));
}

TEST(OpeningPage, RestartWithoutALastSessionShowsTheReadingMessageAndItsDefaults) {
  ScratchFolder folder;
  AppTestContext app;
  OpeningPage(app.context).Click("cmdStart");
  EXPECT_EQ(app.record.SessionFile, "LastSession.KST");
  EXPECT_EQ(app.dialogs.Texts(),
            Strings{"The KESTRO file was not read correctly; defaults are being used"});
  // The reader's defaults, not the opening ones.
  EXPECT_EQ(std::pair(app.record.Nints, app.record.Apass), (std::pair<int16_t, float>(500, 0)));
  EXPECT_EQ(app.navigator.calls, kOpenDesign);
}

TEST(AboutPage, ShowsTheProgramsTextsAndFolderAndReturnCloses) {
  AppTestContext app;
  AboutPage page(app.context, "/opt/kestrolab/bin");
  Strings shown{page.WindowCaption()};
  for (const char* name : {"lblTitle", "lblDescription", "lblPathCaption", "lblPath", "cmdExit"})
    shown.push_back(page[name].caption);
  EXPECT_EQ(shown, (Strings{"KestroLab - About", "KestroLab",
                            "A unity-gain Sallen-Key KestroLab with an uncommon set of features "
                            "including analysis in frequency and time domains, Monte Carlo "
                            "analysis, markers and optimization.",
                            "Executable filename and path:", "/opt/kestrolab/bin", "Return"}));
  page.Click("cmdExit");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::About}}));
}

const Calls kCloseAndEnd{{Call::Kind::Close, PageId::Exit}, {Call::Kind::End, PageId::Opening}};

// The exit page over a distinct design, in an empty working folder, with a clock that moves a
// quarter second a reading.
struct ExitPageTest : ::testing::Test {
  ExitPageTest() { std::tie(app.clock.now, app.clock.stepPerReading) = std::pair(50000, 0.25); }
  ScratchFolder folder;
  AppTestContext app{DistinctSession()};
  ExitPage page{app.context};
};

TEST_F(ExitPageTest, CancelClosesThePageAndSavesNothing) {
  EXPECT_EQ((Strings{page.WindowCaption(), page["cmdCancel"].caption, page["cmdExit"].caption}),
            (Strings{"KestroLab - Exit?", "Cancel and continue", "Exit / quit"}));
  EXPECT_FALSE(page["Label1"].visible);
  page.Click("cmdCancel");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::Exit}}));
  EXPECT_EQ(folder.Entries(), Strings{});
  EXPECT_TRUE(app.record.SessionFile.empty());
}

// While the three seconds pass the label says the design is saved and both buttons are off.
TEST_F(ExitPageTest, ExitSavesShowsTheNoticeForThreeSecondsEndsAndRestartReadsItBack) {
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
  EXPECT_EQ(folder.Entries(), Strings{"LASTSESSION.KST"});
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_FALSE(page["Label1"].visible);
  // One repaint before the wait, then one per reading until 3 s have passed (0.25 s a reading).
  EXPECT_EQ(std::pair(app.events.calls, pumpsWithNotice), std::pair(1 + 11, 1 + 11));
  EXPECT_GE(app.clock.now - 50000, 3.0);

  AppTestContext next;  // the next start of the program reads it back into an identical record
  OpeningPage(next.context).Click("cmdStart");
  EXPECT_EQ(next.dialogs.Texts(), Strings{});
  EXPECT_EQ(next.record.SessionFile, "LastSession.KST");
  EXPECT_EQ(Session(DistinctSession()), Session(next.record));
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
  std::filesystem::create_directory("LASTSESSION.KST");  // blocks the file
  app.dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
  page.Click("cmdExit");
  ASSERT_GE(app.dialogs.messages.size(), 2u);
  const auto& question = app.dialogs.messages.back();
  EXPECT_EQ(question.text, "The design could not be saved for program restart.\nExit anyway?");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_TRUE(app.navigator.calls.empty());
  EXPECT_FALSE(page["Label1"].visible);
  EXPECT_TRUE(page["cmdCancel"].enabled && page["cmdExit"].enabled);

  page.Click("cmdExit");  // Yes this time: leaves without the notice and its wait
  EXPECT_EQ(app.navigator.calls, kCloseAndEnd);
  EXPECT_EQ(app.events.calls, 0);
}

}  // namespace
}  // namespace kestro::test
