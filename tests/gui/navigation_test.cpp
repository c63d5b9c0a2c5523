// Every navigation button of every main page, clicked in the real shell: which page is open
// afterwards, and where each secondary window's own Return leads.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <optional>

#include "files/scratch_folder.h"
#include "gui/shell.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {
namespace {

[[maybe_unused]] const QApplication* const kApplication = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kestro_navigation_tests";
  static char* argv[] = {name, nullptr};
  auto* application = new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  return application;
}();

void SettleEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

// The return button of each secondary window.
const char* ReturnButton(PageId page) {
  switch (page) {
    case PageId::Transient:
      return "cmdExitTransient";
    case PageId::Exit:
      return "cmdCancel";
    default:
      return "cmdExit";
  }
}

struct Step {
  PageId from;
  const char* button;
  PageId main;                                     // the main page afterwards
  std::optional<PageId> secondary = std::nullopt;  // the window opened over it
  bool ended = false;
};

struct NavigationTest : ::testing::Test {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  PageFactory factory{"/usr/local/bin"};

  void Click(Shell& shell, PageId page, const char* name) {
    ASSERT_NE(shell.WindowOf(page), nullptr) << name;
    auto* button = qobject_cast<QPushButton*>(shell.WindowOf(page)->WidgetFor(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
    SettleEvents();
  }

  void Walk(const Step& step) {
    Shell shell(factory, dialogs, false);
    shell.Context().record.SetOpeningDefaults();
    shell.Open(step.from, OpenMode::Switch);
    SettleEvents();
    Click(shell, step.from, step.button);
    const std::string where = std::to_string(static_cast<int>(step.from)) + " " + step.button;
    EXPECT_EQ(std::tuple(shell.Ended(), step.ended ? step.main : shell.MainPage()),
              std::tuple(step.ended, step.main))
        << where;
    if (step.ended)
      return;
    ASSERT_NE(shell.WindowOf(step.main), nullptr) << where;
    if (!step.secondary)
      return;
    ASSERT_NE(shell.WindowOf(*step.secondary), nullptr) << where;
    Click(shell, *step.secondary, ReturnButton(*step.secondary));
    EXPECT_EQ(std::tuple(shell.WindowOf(*step.secondary), shell.MainPage()),
              std::tuple(nullptr, step.main))
        << where << " then Return";
  }
};

// The buttons every main page has, with the main page they leave open and the window they open.
std::vector<Step> CommonSteps(PageId from) {
  using enum PageId;
  return {{from, "cmdDesign", Design},         {from, "cmdPlot", Plot},
          {from, "cmdSchematic", Schematic},   {from, "cmdTabulate", Tabulated},
          {from, "cmdAbout", from, About},     {from, "cmdTransient", from, Transient},
          {from, "cmdWrite", from, WriteFiles}};
}

TEST_F(NavigationTest, EveryButtonOfEveryMainPageOpensItsPage) {
  using enum PageId;
  std::vector<Step> steps;
  for (const PageId from : {Design, Plot, Schematic, Tabulated}) {
    for (const Step& step : CommonSteps(from))
      steps.push_back(step);
    if (from != Tabulated)
      steps.push_back({from, "cmdQuit", from, Exit});
  }
  steps.push_back({Tabulated, "cmdQuit", Tabulated, std::nullopt, true});
  steps.push_back({Plot, "cmdPoles", Plot, Poles});
  steps.push_back({Plot, "cmdMarkers", Plot, Marker});
  for (const Step& step : steps)
    Walk(step);
}

}  // namespace
}  // namespace kestro::test
