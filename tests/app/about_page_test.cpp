#include "app/about_page.h"

#include <gtest/gtest.h>

#include "app/not_built_page.h"
#include "app_test_context.h"

namespace kestro::test {
namespace {

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
    EXPECT_EQ(
        (Strings{page.WindowCaption(), page["lblNotBuilt"].caption, page["cmdReturn"].caption}),
        (Strings{c.caption, "This view is not built yet.", "Return"}));
    EXPECT_EQ(page.WindowHeightShare() < 1.0f, c.mode != OpenMode::Switch) << c.caption;
    page.Click("cmdReturn");
    EXPECT_EQ(app.navigator.calls, Calls{c.onReturn}) << c.caption;
  }
}

}  // namespace
}  // namespace kestro::test
