// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_page.h"

#include <gtest/gtest.h>

#include "app_test_context.h"

namespace kestro::test {
namespace {

TEST(AboutPage, ShowsTheProgramsTextsAndFolderAndReturnCloses) {
  AppTestContext app;
  AboutPage page(app.context, "/opt/kestrolab/bin");
  Strings shown{page.WindowCaption()};
  for (const char* name : {"lblTitle", "lblDescription", "lblPathCaption", "lblPath", "cmdExit"})
    shown.push_back(page[name].caption);
  const std::string description =
      "KestroLab: a unity-gain Sallen-Key filter designer with an uncommon set of features "
      "including analysis in frequency and time domains, Monte Carlo analysis, markers and "
      "optimization.";
  EXPECT_EQ(shown, (Strings{"KestroLab - About", "KestroLab", description,
                            "Executable filename and path:", "/opt/kestrolab/bin", "Return"}));
  page.Click("cmdExit");
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::About}}));
}

}  // namespace
}  // namespace kestro::test
