#include "gui/shell.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <string>

#include "gui/display_check.h"
#include "platform/qt/spinner_widget.h"
#include "qt_application.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {
namespace {

// The caption a control's widget shows, whatever kind of widget it is.
QString ShownCaption(const QWidget* widget) {
  if (auto* button = qobject_cast<const QPushButton*>(widget))
    return button->text();
  if (auto* label = qobject_cast<const QLabel*>(widget))
    return label->text();
  if (auto* box = qobject_cast<const QLineEdit*>(widget))
    return box->text();
  if (auto* option = qobject_cast<const QRadioButton*>(widget))
    return option->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(widget))
    return frame->title();
  return {};
}

template <typename Widget>
Widget* Find(PageWindow* window, const char* name) {
  return window == nullptr ? nullptr : qobject_cast<Widget*>(window->WidgetFor(name));
}

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() : previous_(std::filesystem::current_path()) {
    EnsureQtApplication();
    folder_ = std::filesystem::temp_directory_path() / ("kestro-gui-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
  }
  ~ShellTest() override {
    shell.reset();
    SettleEvents();
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  // The design page on the opening defaults, as the welcome page opens it.
  PageWindow* OpenDesign() {
    shell->Context().record.SetOpeningDefaults();
    shell->Open(PageId::Design, OpenMode::Switch);
    SettleEvents();
    return shell->WindowOf(PageId::Design);
  }

  void Click(PageId page, const char* button) {
    QPushButton* widget = Find<QPushButton>(shell->WindowOf(page), button);
    ASSERT_NE(widget, nullptr) << button;
    widget->click();
    SettleEvents();
  }

  ScriptedDialogs dialogs;
  PageFactory factory{"/usr/local/bin"};
  std::unique_ptr<Shell> shell = std::make_unique<Shell>(factory, dialogs, false);

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

// Every page id opens a real window whose widgets show their controls' captions.
TEST_F(ShellTest, EveryPageBuildsItsWidgets) {
  const std::vector<std::pair<PageId, OpenMode>> pages{
      {PageId::Opening, OpenMode::Switch},   {PageId::Design, OpenMode::Switch},
      {PageId::Plot, OpenMode::Switch},      {PageId::Schematic, OpenMode::Switch},
      {PageId::Tabulated, OpenMode::Switch}, {PageId::WriteFiles, OpenMode::Modal},
      {PageId::Transient, OpenMode::Over},   {PageId::Poles, OpenMode::Modal},
      {PageId::Marker, OpenMode::Over},      {PageId::About, OpenMode::Over},
      {PageId::Exit, OpenMode::Modal},       {PageId::Limits, OpenMode::Over},
      {PageId::EditLimits, OpenMode::Modal},
  };
  shell->Context().record.SetOpeningDefaults();
  for (const auto& [id, mode] : pages) {
    PageWindow window(factory.Create(id, mode, shell->Context()));
    window.resize(1280, 800);
    window.show();
    SettleEvents();
    Page& page = window.HostedPage();
    EXPECT_EQ(window.windowTitle().toStdString(), page.WindowCaption());
    EXPECT_FALSE(page.WindowCaption().empty());
    for (const Control& control : page.Controls()) {
      const QWidget* widget = window.WidgetFor(control.name);
      ASSERT_NE(widget, nullptr) << control.name;
      EXPECT_EQ(widget->isHidden(), !control.visible) << control.name;
      EXPECT_EQ(widget->isEnabled(), control.enabled) << control.name;
      if (control.kind != ControlKind::Spinner && control.kind != ControlKind::ListBox &&
          control.kind != ControlKind::ScrollBar) {
        EXPECT_EQ(ShownCaption(widget).toStdString(), control.caption) << control.name;
      }
      EXPECT_TRUE(window.rect().contains(widget->geometry())) << control.name;
    }
  }
}

TEST_F(ShellTest, ClickThroughWelcomeDesignAndDesignCommand) {
  shell->Start();
  SettleEvents();
  PageWindow* welcome = shell->WindowOf(PageId::Opening);
  ASSERT_NE(welcome, nullptr);
  EXPECT_EQ(welcome->windowTitle(), "KestroLab - Welcome!");
  EXPECT_TRUE(welcome->isVisible());

  Click(PageId::Opening, "cmdStart");  // no last session here: the reader's message
  EXPECT_EQ(
      dialogs.Texts(),
      std::vector<std::string>{"The KESTRO file was not read correctly; defaults are being used"});
  EXPECT_EQ(shell->WindowOf(PageId::Opening), nullptr);
  PageWindow* design = shell->WindowOf(PageId::Design);
  ASSERT_NE(design, nullptr);
  EXPECT_EQ(shell->MainPage(), PageId::Design);
  EXPECT_EQ(design->windowTitle(), "KestroLab - Design");
  EXPECT_EQ(Find<QLineEdit>(design, "txtWidth")->text(), " 3K ");
  EXPECT_EQ(Find<QLineEdit>(design, "txtInts")->text(), "500 ");
  EXPECT_EQ(Find<QLabel>(design, "lblPerYinterval")->text(), "per interval: 10dB");
  EXPECT_TRUE(Find<QRadioButton>(design, "optButterworth")->isChecked());
  EXPECT_FALSE(Find<QLineEdit>(design, "txtApass")->isEnabled());

  QLineEdit* width = Find<QLineEdit>(design, "txtWidth");
  width->clear();
  QTest::keyClicks(width, "20M");
  QLineEdit* bottom = Find<QLineEdit>(design, "txtdBBottom");
  bottom->selectAll();
  QTest::keyClicks(bottom, "-80");
  EXPECT_EQ(Find<QLabel>(design, "lblPerYinterval")->text(), "per interval: 15dB");

  Click(PageId::Design, "cmdDesign");
  EXPECT_EQ(dialogs.Texts().back(), "The filter bandwidth has been reset downward to 10 MHz");
  EXPECT_EQ(width->text(), "10M");
  const DesignRecord& record = shell->Context().record;
  EXPECT_FLOAT_EQ(record.Bandwidth, 1e7f);
  EXPECT_FLOAT_EQ(record.dBbottom, -80);
  EXPECT_GT(record.C[1][2], 0);
  EXPECT_EQ(shell->MainPage(), PageId::Design);
}

TEST_F(ShellTest, OptionsSpinnersAndViewButtonsWorkOnTheRealWidgets) {
  PageWindow* design = OpenDesign();
  ASSERT_NE(design, nullptr);

  QRadioButton* chebyshev = Find<QRadioButton>(design, "optChebyshev");
  chebyshev->click();
  EXPECT_TRUE(chebyshev->isChecked());
  EXPECT_FALSE(Find<QRadioButton>(design, "optButterworth")->isChecked());
  EXPECT_TRUE(Find<QLineEdit>(design, "txtApass")->isEnabled());
  EXPECT_EQ(shell->Context().record.Family, kChebyshev);

  auto* order = dynamic_cast<SpinnerWidget*>(design->WidgetFor("UpDown1"));
  ASSERT_NE(order, nullptr);
  order->UpButton()->click();
  order->UpButton()->click();
  EXPECT_EQ(Find<QLabel>(design, "lblOrderInput")->text(), "5");
  order->DownButton()->click();
  EXPECT_EQ(Find<QLabel>(design, "lblOrderInput")->text(), "4");

  Click(PageId::Design, "cmdPlot");
  EXPECT_EQ(shell->Context().record.Order, 4);
  EXPECT_EQ(shell->MainPage(), PageId::Plot);
  EXPECT_EQ(shell->WindowOf(PageId::Design), nullptr);
  ASSERT_NE(shell->WindowOf(PageId::Plot), nullptr);
}

// About opens over the design page and Return closes it; closing the design page from its title
// bar asks through the exit page, where Cancel stays; a view not built yet says so and returns;
// Quit through the exit page saves and ends.
TEST_F(ShellTest, NavigatesBetweenThePagesThatExist) {
  PageWindow* design = OpenDesign();
  Click(PageId::Design, "cmdAbout");
  PageWindow* about = shell->WindowOf(PageId::About);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowTitle(), "KestroLab - About");
  EXPECT_EQ(Find<QLabel>(about, "lblPath")->text(), "/usr/local/bin");
  EXPECT_LT(about->width(), design->width());
  Click(PageId::About, "cmdExit");
  EXPECT_EQ(shell->WindowOf(PageId::About), nullptr);

  EXPECT_FALSE(design->close());
  PageWindow* exit = shell->WindowOf(PageId::Exit);
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->windowModality(), Qt::ApplicationModal);
  Click(PageId::Exit, "cmdCancel");
  EXPECT_EQ(shell->WindowOf(PageId::Exit), nullptr);
  EXPECT_EQ(shell->WindowOf(PageId::Design), design);
  EXPECT_FALSE(std::filesystem::exists("LASTSESSION.KST"));
  EXPECT_FALSE(shell->Ended());

  ASSERT_FALSE(factory.Has(PageId::Schematic)) << "choose a view that is not built yet";
  Click(PageId::Design, "cmdSchematic");
  PageWindow* schematic = shell->WindowOf(PageId::Schematic);
  ASSERT_NE(schematic, nullptr);
  EXPECT_EQ(Find<QLabel>(schematic, "lblNotBuilt")->text(), "This view is not built yet.");
  Click(PageId::Schematic, "cmdReturn");
  EXPECT_EQ(shell->MainPage(), PageId::Design);
  EXPECT_EQ(shell->WindowOf(PageId::Schematic), nullptr);

  Click(PageId::Design, "cmdQuit");
  ASSERT_NE(shell->WindowOf(PageId::Exit), nullptr);
  Click(PageId::Exit, "cmdExit");
  EXPECT_TRUE(shell->Ended());
  EXPECT_TRUE(std::filesystem::exists("LASTSESSION.KST"));
  EXPECT_EQ(shell->WindowOf(PageId::Design), nullptr);
}

// --- The program without a display ---

TEST(DisplayCheck, NeedsADisplayOnlyForPlatformsThatUseOne) {
  struct Case {
    DisplayEnvironment environment;
    bool available;
  };
  const std::vector<Case> cases{
      {{"", "", ""}, false},         {{"", ":0", ""}, true},
      {{"", "", "wayland-0"}, true}, {{"xcb", "", "wayland-0"}, false},
      {{"xcb", ":99", ""}, true},    {{"wayland", ":0", ""}, false},
      {{"offscreen", "", ""}, true}, {{"vnc", "", ""}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayAvailable(c.environment), c.available)
        << c.environment.platform << "|" << c.environment.x11Display << "|"
        << c.environment.waylandDisplay;
  }
}

TEST(DisplayCheck, TheProgramSaysSoInOneLineAndFails) {
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KESTROLAB_PROGRAM " 2>&1";
  int status = -1;
  const std::string output = CommandOutput(command, &status);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  EXPECT_NE(output.find("xvfb-run"), std::string::npos) << output;
  EXPECT_NE(output.find("kestrolab-cli"), std::string::npos) << output;
}

}  // namespace
}  // namespace kestro::test
