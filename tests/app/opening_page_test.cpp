#include "app/opening_page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

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
  ScratchDirectory folder;
  AppTestContext app;
  DesignRecord saved = DistinctSession();
  ASSERT_TRUE(WriteSessionFile(saved, folder.File("old.KST"), app.dialogs));
  app.dialogs.fileAnswers.push_back(folder.File("old.KST"));
  OpeningPage(app.context).Click("cmdGetOld");
  ASSERT_EQ(app.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(Describe(app.dialogs.openRequests[0]), "Get File | KESTRO files (*.KST)|*.KST |  | 1");
  EXPECT_EQ(app.record.SessionFile, folder.File("old.KST"));
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

TEST(OpeningPage, RestartWithoutALastSessionShowsTheReadingMessageAndItsDefaults) {
  ScratchDirectory folder;
  AppTestContext app;
  OpeningPage(app.context).Click("cmdStart");
  EXPECT_EQ(app.record.SessionFile, "LastSession.KST");
  EXPECT_EQ(app.dialogs.Texts(),
            Strings{"The KESTRO file was not read correctly; defaults are being used"});
  // The reader's defaults, not the opening ones.
  EXPECT_EQ(std::pair(app.record.Nints, app.record.Apass), (std::pair<int16_t, float>(500, 0)));
  EXPECT_EQ(app.navigator.calls, kOpenDesign);
}

}  // namespace
}  // namespace kestro::test
