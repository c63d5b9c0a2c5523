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

using Call = RecordingNavigator::Call;
const Call kOpenDesign{Call::Kind::Open, PageId::Design, OpenMode::Switch};

TEST(OpeningPage, ShowsTitleDescriptionAndBothCommands) {
  AppTestContext app;
  OpeningPage page(app.context);
  EXPECT_EQ(page.WindowCaption(), "KestroLab - Welcome!");
  EXPECT_EQ(page["lblTitle"].caption, "KestroLab");
  EXPECT_EQ(page["lblDescription"].caption,
            "The program to design and analyze unity-gain Sallen-Key lowpass filters");
  EXPECT_FALSE(page["lblVersion"].caption.empty());
  EXPECT_FALSE(page["lblCredit"].caption.empty());
  EXPECT_EQ(page["cmdGetOld"].caption, "Retrieve an olde design");
  EXPECT_EQ(page["cmdStart"].caption, "Restart at last session");
  EXPECT_FLOAT_EQ(app.record.Pi, static_cast<float>(4 * std::atan(1.0)));
}

TEST(OpeningPage, DrawsTheDecorationWithItsOutputLabelWhenShown) {
  AppTestContext app;
  OpeningPage page(app.context);
  RecordingCanvas canvas;
  page.SetCanvas(&canvas);
  page.OnShown();
  const auto printed = canvas.Printed();
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.back().text, "Output");
  std::set<std::tuple<int, int, int>> colours;
  for (const auto& command : canvas.commands) {
    if (command.kind == DrawCommand::Kind::Line || command.kind == DrawCommand::Kind::LineTo) {
      colours.insert({command.colour.r, command.colour.g, command.colour.b});
      EXPECT_GE(command.x1, 0);
      EXPECT_LE(command.x1, kPageWidth);
      EXPECT_GT(command.y1, 2000);  // below the title and description
      EXPECT_LT(command.y1, 6900);  // above the version line
    }
  }
  EXPECT_GE(colours.size(), 3u);  // coloured line work
}

TEST(OpeningPage, RetrieveSetsDefaultsThenReadsTheChosenFile) {
  ScratchDirectory folder;
  AppTestContext app;
  const DesignRecord saved = DistinctSession();
  DesignRecord writer = saved;
  ASSERT_TRUE(WriteSessionFile(writer, folder.File("old.KST"), app.dialogs));
  app.dialogs.fileAnswers.push_back(folder.File("old.KST"));
  OpeningPage page(app.context);
  page.Click("cmdGetOld");
  ASSERT_EQ(app.dialogs.openRequests.size(), 1u);
  EXPECT_EQ(app.dialogs.openRequests[0].title, "Get File");
  EXPECT_EQ(app.dialogs.openRequests[0].filter, "KESTRO files (*.KST)|*.KST");
  EXPECT_EQ(app.dialogs.openRequests[0].filterIndex, 1);
  EXPECT_EQ(app.record.SessionFile, folder.File("old.KST"));
  EXPECT_TRUE(SameSession(saved, app.record));
  EXPECT_EQ(app.navigator.calls, std::vector<Call>{kOpenDesign});
}

TEST(OpeningPage, CancelledRetrieveOpensTheDesignPageWithTheOpeningDefaults) {
  ScratchDirectory folder;
  AppTestContext app;
  app.record.Nints = 99;
  app.record.Apass = 7;
  OpeningPage page(app.context);
  page.Click("cmdGetOld");  // cancelled: nothing is read
  EXPECT_TRUE(app.record.SessionFile.empty());
  EXPECT_TRUE(app.dialogs.Texts().empty());
  EXPECT_EQ(app.record.Family, kButterworth);
  EXPECT_EQ(app.record.Order, 3);
  EXPECT_EQ(app.record.Nints, 512);
  EXPECT_FLOAT_EQ(app.record.Apass, 1.0f);
  EXPECT_FLOAT_EQ(app.record.Bandwidth, 3000);
  EXPECT_FLOAT_EQ(app.record.DelayTop, 0.0012f);
  EXPECT_EQ(app.navigator.calls, std::vector<Call>{kOpenDesign});
}

TEST(OpeningPage, RestartWithoutALastSessionShowsTheReadingMessageAndItsDefaults) {
  ScratchDirectory folder;
  AppTestContext app;
  OpeningPage page(app.context);
  page.Click("cmdStart");
  EXPECT_EQ(app.record.SessionFile, "LastSession.KST");
  EXPECT_EQ(
      app.dialogs.Texts(),
      std::vector<std::string>{"The KESTRO file was not read correctly; defaults are being used"});
  EXPECT_EQ(app.record.Nints, 500);  // the reader's defaults, not the opening ones
  EXPECT_FLOAT_EQ(app.record.Apass, 0);
  EXPECT_EQ(app.navigator.calls, std::vector<Call>{kOpenDesign});
}

}  // namespace
}  // namespace kestro::test
