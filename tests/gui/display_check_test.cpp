// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/display_check.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "files/scratch_folder.h"

namespace kestro::test {
namespace {

TEST(DisplayCheck, NeedsADisplayOnlyForPlatformsThatUseOne) {
  // No platform and no display at all is the program run below.
  const std::pair<DisplayEnvironment, bool> cases[]{{{"", ":0", ""}, true},
                                                    {{"", "", "wayland-0"}, true},
                                                    {{"xcb", "", "wayland-0"}, false},
                                                    {{"offscreen", "", ""}, true}};
  for (const auto& [environment, available] : cases) {
    EXPECT_EQ(DisplayAvailable(environment), available)
        << environment.platform << "|" << environment.x11Display << "|"
        << environment.waylandDisplay;
  }
}

// Without a display the window program fails with one line that points to xvfb-run and the
// command-line program.
TEST(DisplayCheck, TheProgramSaysSoInOneLineAndFails) {
  ScratchFolder folder;
  const int status = std::system(
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KESTROLAB_PROGRAM " >out.txt 2>&1");
  const std::string output = FileText("out.txt");
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  EXPECT_NE(output.find("xvfb-run"), std::string::npos) << output;
  EXPECT_NE(output.find("kestrolab-cli"), std::string::npos) << output;
}

}  // namespace
}  // namespace kestro::test
