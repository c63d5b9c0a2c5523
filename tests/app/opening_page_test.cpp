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
const std::vector<Call> kOpenDesign{{Call::Kind::Open, PageId::Design, OpenMode::Switch}};

TEST(OpeningPage, ShowsItsTextsAndDrawsTheDecorationWhenShown) {
  AppTestContext app;
  OpeningPage page(app.context);
  EXPECT_EQ(page.WindowCaption(), "KestroLab - Welcome!");
  EXPECT_EQ(page["lblTitle"].caption, "KestroLab");
  EXPECT_EQ(page["lblDescription"].caption,
            "The program to design and analyze unity-gain Sallen-Key lowpass filters");
  EXPECT_FALSE(page["lblVersion"].caption.empty() || page["lblCredit"].caption.empty());
  EXPECT_EQ(page["cmdGetOld"].caption, "Retrieve an olde design");
  EXPECT_EQ(page["cmdStart"].caption, "Restart at last session");
  EXPECT_FLOAT_EQ(app.record.Pi, static_cast<float>(4 * std::atan(1.0)));

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
      EXPECT_TRUE(command.x1 >= 0 && command.x1 <= kPageWidth) << command.x1;
      // Between the description and the version line.
      EXPECT_TRUE(command.y1 > 2000 && command.y1 < 6900) << command.y1;
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
  const FileDialogRequest& request = app.dialogs.openRequests[0];
  EXPECT_EQ(request.title, "Get File");
  EXPECT_EQ(request.filter, "KESTRO files (*.KST)|*.KST");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(app.record.SessionFile, folder.File("old.KST"));
  EXPECT_TRUE(SameSession(saved, app.record));
  EXPECT_EQ(app.navigator.calls, kOpenDesign);

  AppTestContext cancelled;
  cancelled.record.Nints = 99;
  cancelled.record.Apass = 7;
  OpeningPage(cancelled.context).Click("cmdGetOld");  // nothing is read
  EXPECT_TRUE(cancelled.record.SessionFile.empty());
  EXPECT_TRUE(cancelled.dialogs.Texts().empty());
  EXPECT_TRUE(SameSession(OpeningDefaults(), cancelled.record));
  EXPECT_FLOAT_EQ(cancelled.record.DelayTop, 0.0012f);
  EXPECT_EQ(cancelled.navigator.calls, kOpenDesign);
}

TEST(OpeningPage, RestartWithoutALastSessionShowsTheReadingMessageAndItsDefaults) {
  ScratchDirectory folder;
  AppTestContext app;
  OpeningPage(app.context).Click("cmdStart");
  EXPECT_EQ(app.record.SessionFile, "LastSession.KST");
  EXPECT_EQ(
      app.dialogs.Texts(),
      std::vector<std::string>{"The KESTRO file was not read correctly; defaults are being used"});
  EXPECT_EQ(app.record.Nints, 500);  // the reader's defaults, not the opening ones
  EXPECT_FLOAT_EQ(app.record.Apass, 0);
  EXPECT_EQ(app.navigator.calls, kOpenDesign);
}

}  // namespace
}  // namespace kestro::test
