#include "app/opening_page.h"

#include <gtest/gtest.h>

#include "app_test_context.h"
#include "files/session_file.h"

namespace kestro::test {
namespace {

constexpr const char* kSavedAt = "2026-12-06 11:45:03";

const Calls kOpenDesign{{Call::Kind::Open, PageId::Design, OpenMode::Switch}};

TEST(OpeningPage, ShowsItsTexts) {
  AppTestContext app;
  OpeningPage page(app.context);
  EXPECT_EQ((Strings{page.WindowCaption(), page["lblTitle"].caption, page["lblDescription"].caption,
                     page["cmdGetOld"].caption, page["cmdStart"].caption}),
            (Strings{"KestroLab - Welcome!", "KestroLab",
                     "The program to design and analyze unity-gain Sallen-Key lowpass filters",
                     "Retrieve an olde design", "Restart at last session"}));
  EXPECT_FALSE(page["lblVersion"].caption.empty() || page["lblCredit"].caption.empty());
}

// Defaults first, then the chosen file over them; a cancelled dialog keeps the defaults.
TEST(OpeningPage, RetrieveSetsDefaultsThenReadsTheChosenFile) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  ASSERT_EQ(WriteSessionFile(saved, "old.KST", kSavedAt), std::nullopt);
  for (const std::string chosen : {"old.KST", ""}) {
    AppTestContext app;
    app.record.Nints = 99;
    app.dialogs.fileAnswers = {chosen};
    OpeningPage(app.context).Click("cmdGetOld");
    EXPECT_EQ(Describe(app.dialogs.openRequests), "Get File | KESTRO files (*.KST)|*.KST |  | 1\n");
    EXPECT_EQ(app.record.SessionFile, chosen);
    EXPECT_EQ(Session(chosen.empty() ? OpeningDefaults() : DistinctSession()), Session(app.record));
    EXPECT_EQ(app.dialogs.Texts(), Strings{});
    EXPECT_EQ(app.navigator.calls, kOpenDesign);
  }
}

// Values out of the design page's ranges are repaired with its messages; the rest stays as saved.
TEST(OpeningPage, RestartRepairsWhatTheFileHeldOutOfRange) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  saved.Family = 9, saved.Order = 23, saved.Nints = 2049;
  ASSERT_EQ(WriteSessionFile(saved, "LASTSESSION.KST", kSavedAt), std::nullopt);
  AppTestContext app;
  OpeningPage(app.context).Click("cmdStart");
  EXPECT_EQ(app.dialogs.Texts(), (Strings{"The order has been reset downward to 11",
                                          "Number of test frequencies has been reset downward to "
                                          "2048"}));
  saved.Family = kButterworth, saved.Order = 11, saved.Nints = 2048;
  saved.NrStages = StagesForOrder(11);
  EXPECT_EQ(Session(saved), Session(app.record));
}

}  // namespace
}  // namespace kestro::test
