// SPDX-License-Identifier: GPL-3.0-or-later
// Every navigation button of every main page, clicked in the real shell: which page is open
// afterwards, and where each secondary window's own Return leads.
#include <gtest/gtest.h>

#include <QPushButton>
#include <string>

#include "files/scratch_folder.h"
#include "gui/shell.h"
#include "platform/qt/qt_test_support.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {
namespace {

struct Step {
  PageId from;
  const char* button;
  PageId main;            // the main page afterwards
  PageId secondary;       // the window opened over it; Opening for none
  const char* back = "";  // that window's Return; "" when the program has ended
};

// Clicks the named button of the page's window and lets the events run.
void Click(Shell& shell, PageId page, const char* name) {
  ASSERT_NE(shell.WindowOf(page), nullptr) << name;
  auto* button = qobject_cast<QPushButton*>(shell.WindowOf(page)->WidgetFor(name));
  ASSERT_NE(button, nullptr) << name;
  button->click();
  SettleEvents();
}

// The open windows as text: the main page, whether a window is over it, whether the program ended.
std::string Windows(PageId main, bool over, bool ended) {
  return "main page " + std::to_string(static_cast<int>(main)) + (over ? ", window over it" : "") +
         (ended ? ", ended" : "");
}

TEST(Navigation, EveryButtonOfEveryMainPageOpensItsPage) {
  using enum PageId;
  std::vector<Step> steps{{Tabulated, "cmdQuit", Tabulated, Opening},
                          {Plot, "cmdPoles", Plot, Poles, "cmdExit"},
                          {Plot, "cmdMarkers", Plot, Marker, "cmdExit"},
                          {Stages, "cmdPlot", Plot, Opening, "-"},
                          {Stages, "cmdTabulate", Tabulated, Opening, "-"}};
  for (const PageId from : {Design, Plot, Schematic, Tabulated}) {
    const std::vector<Step> common{{from, "cmdDesign", Design, Opening, "-"},
                                   {from, "cmdPlot", Plot, Opening, "-"},
                                   {from, "cmdSchematic", Schematic, Opening, "-"},
                                   {from, "cmdTabulate", Tabulated, Opening, "-"},
                                   {from, "cmdAbout", from, About, "cmdExit"},
                                   {from, "cmdTransient", from, Transient, "cmdExitTransient"},
                                   {from, "cmdWrite", from, WriteFiles, "cmdExit"}};
    steps.insert(steps.end(), common.begin(), common.end());
    if (from != Tabulated)  // Quit on the tabulated page ends at once
      steps.push_back({from, "cmdQuit", from, Exit, "cmdCancel"});
    if (from != Design)  // the design page's row has no Stages button
      steps.push_back({from, "cmdStages", Stages, Opening, "-"});
  }
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  const PageFactory factory("/usr/local/bin");
  for (const Step& step : steps) {
    Shell shell(factory, dialogs, false);
    shell.Context().record.SetOpeningDefaults();
    shell.Open(step.from, OpenMode::Switch);
    Click(shell, step.from, step.button);
    const auto shown = [&shell, &step] {
      return Windows(shell.MainPage(), shell.WindowOf(step.secondary) != nullptr, shell.Ended());
    };
    SCOPED_TRACE(std::to_string(static_cast<int>(step.from)) + " " + step.button);
    EXPECT_EQ(shown(), Windows(step.main, step.secondary != Opening, *step.back == '\0'));
    if (step.secondary == Opening)
      continue;
    Click(shell, step.secondary, step.back);
    EXPECT_EQ(shown(), Windows(step.main, false, false)) << "then " << step.back;
  }
}

}  // namespace
}  // namespace kestro::test
