#include "app/about_page.h"

#include <gtest/gtest.h>

#include "app/not_built_page.h"
#include "app_test_context.h"

namespace kestro::test {
namespace {

using Call = RecordingNavigator::Call;

TEST(AboutPage, ShowsTheProgramsTextsAndFolderAndReturnCloses) {
  AppTestContext app;
  AboutPage page(app.context, "/opt/kestrolab/bin");
  EXPECT_EQ(page.WindowCaption(), "KestroLab - About");
  EXPECT_EQ(page["lblTitle"].caption, "KestroLab");
  EXPECT_EQ(page["lblDescription"].caption,
            "A unity-gain Sallen-Key KestroLab with an uncommon set of features including "
            "analysis in frequency and time domains, Monte Carlo analysis, markers and "
            "optimization.");
  EXPECT_EQ(page["lblPathCaption"].caption, "Executable filename and path:");
  EXPECT_EQ(page["lblPath"].caption, "/opt/kestrolab/bin");
  EXPECT_EQ(page["cmdExit"].caption, "Return");
  page.Click("cmdExit");
  EXPECT_EQ(app.navigator.calls, (std::vector<Call>{{Call::Kind::Close, PageId::About}}));
}

// A main view returns to the design page; a window over it closes.
TEST(NotBuiltPage, SaysSoPlainlyAndReturnsTheWayItCame) {
  struct Case {
    PageId page;
    OpenMode mode;
    const char* caption;
    Call onReturn;
  };
  using enum PageId;
  using enum Call::Kind;
  const std::vector<Case> cases{
      {Plot, OpenMode::Switch, "KestroLab - Plot", {Open, Design, OpenMode::Switch}},
      {Schematic, OpenMode::Switch, "KestroLab - Schematic", {Open, Design, OpenMode::Switch}},
      {WriteFiles, OpenMode::Modal, "KestroLab - Write files", {Close, WriteFiles}},
      {Transient, OpenMode::Over, "KestroLab - Transient", {Close, Transient}},
  };
  for (const Case& c : cases) {
    AppTestContext app;
    NotBuiltPage page(app.context, c.page, c.mode);
    EXPECT_EQ(page.WindowCaption(), c.caption);
    EXPECT_EQ(page["lblNotBuilt"].caption, "This view is not built yet.");
    EXPECT_EQ(page["cmdReturn"].caption, "Return");
    EXPECT_EQ(page.WindowHeightShare() < 1.0f, c.mode != OpenMode::Switch) << c.caption;
    page.Click("cmdReturn");
    EXPECT_EQ(app.navigator.calls, std::vector<Call>{c.onReturn}) << c.caption;
  }
}

}  // namespace
}  // namespace kestro::test
