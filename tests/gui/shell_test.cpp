// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "files/scratch_folder.h"
#include "files/session_file.h"
#include "platform/qt/qt_test_support.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {
namespace {

// The caption a control's widget shows: a frame's title, or the text of a button, label or box.
std::string Shown(const QWidget* widget) {
  const char* property = qobject_cast<const QGroupBox*>(widget) ? "title" : "text";
  return widget == nullptr ? "(none)" : widget->property(property).toString().toStdString();
}

class ShellTest : public ::testing::Test {
 protected:
  ~ShellTest() override {
    shell.reset();
    SettleEvents();
  }
  template <typename Widget = QWidget>
  Widget* Find(PageId page, const char* name) {
    PageWindow* window = shell->WindowOf(page);
    return window == nullptr ? nullptr : qobject_cast<Widget*>(window->WidgetFor(name));
  }
  void Click(PageId page, const char* button) {
    ASSERT_NE(Find<QPushButton>(page, button), nullptr) << button;
    Find<QPushButton>(page, button)->click();
    SettleEvents();
  }

  ScratchFolder folder;
  ScriptedDialogs dialogs;
  PageFactory factory{"/usr/local/bin"};
  std::unique_ptr<Shell> shell = std::make_unique<Shell>(factory, dialogs, false);
};

// Every control of every page has its widget, inside the window, showing the control's state.
TEST_F(ShellTest, EveryPageBuildsItsWidgets) {
  using enum PageId;
  using enum OpenMode;
  const std::vector<std::pair<PageId, OpenMode>> pages{
      {Opening, Switch},   {Design, Switch},    {Plot, Switch},    {Schematic, Switch},
      {Tabulated, Switch}, {WriteFiles, Modal}, {Transient, Over}, {Poles, Modal},
      {Marker, Over},      {About, Over},       {Exit, Modal},     {Stages, Switch},
      {FitLimits, Modal}};
  shell->Context().record.SetOpeningDefaults();
  for (const auto& [id, mode] : pages) {
    PageWindow window(factory.Create(id, mode, shell->Context()));
    window.resize(1280, 800);
    window.show();
    SettleEvents();
    Page& page = window.HostedPage();
    EXPECT_FALSE(page.WindowCaption().empty());
    EXPECT_EQ(window.windowTitle().toStdString(), page.WindowCaption());
    for (const Control& control : page.Controls()) {
      SCOPED_TRACE(page.WindowCaption() + " " + control.name);
      const QWidget* widget = window.WidgetFor(control.name);
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->isHidden(), !control.visible);
      EXPECT_EQ(widget->isEnabled(), control.enabled);
      if (control.kind < ControlKind::Spinner) {  // not a spinner, list or bar
        EXPECT_EQ(Shown(widget), control.caption);
      }
      EXPECT_TRUE(window.rect().contains(widget->geometry()));
    }
  }
}

// Typing and a repair on the design page; closing it from its title bar asks
// through the exit page, where Cancel stays and Exit saves the session and ends.
TEST_F(ShellTest, TheDesignPageFromStartToQuit) {
  using enum PageId;
  shell->Start();
  SettleEvents();
  ASSERT_TRUE(shell->WindowOf(Opening) && shell->WindowOf(Opening)->isVisible());
  Click(Opening, "cmdStart");  // no last session here: a first start, without a message
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{});
  EXPECT_EQ(shell->WindowOf(Opening), nullptr);
  ASSERT_NE(shell->WindowOf(Design), nullptr);

  QLineEdit* width = Find<QLineEdit>(Design, "txtWidth");
  width->clear();
  QTest::keyClicks(width, "20M");
  Click(Design, "cmdDesign");
  EXPECT_EQ(dialogs.Texts().back(), "The filter bandwidth has been reset downward to 10 MHz");
  EXPECT_EQ(width->text(), "10M");
  EXPECT_GT(shell->Context().record.C[1][2], 0);  // designed

  PageWindow* design = shell->WindowOf(Design);
  EXPECT_FALSE(design->close());
  ASSERT_NE(shell->WindowOf(Exit), nullptr);
  EXPECT_EQ(shell->WindowOf(Exit)->windowModality(), Qt::ApplicationModal);
  Click(Exit, "cmdCancel");
  EXPECT_EQ(shell->WindowOf(Design), design);
  EXPECT_FALSE(shell->Ended() || std::filesystem::exists("LASTSESSION.KST"));
  Click(Design, "cmdQuit");
  Click(Exit, "cmdExit");
  EXPECT_TRUE(shell->Ended() && std::filesystem::exists("LASTSESSION.KST"));
}

// "kestrolab FILE.KST", as a double-click on a session file starts it: the design page with that
// session read; a file that cannot be read gives the reader's message and the defaults.
TEST_F(ShellTest, StartsOnTheDesignPageWithANamedSession) {
  using enum PageId;
  DesignRecord saved{};
  saved.SetOpeningDefaults();
  saved.Order = 7;
  saved.Bandwidth = 2500;
  ASSERT_FALSE(WriteSessionFile(saved, "seventh.KST", "2026-12-06 11:45:03"));
  shell->Start("seventh.KST");
  SettleEvents();
  ASSERT_NE(Find<QLineEdit>(Design, "txtWidth"), nullptr);
  EXPECT_EQ(shell->WindowOf(Opening), nullptr);
  // The fields show numbers between blanks, as the page writes them.
  EXPECT_EQ(Shown(Find(Design, "lblOrderInput")), "7 ");
  EXPECT_EQ(Find<QLineEdit>(Design, "txtWidth")->text(), " 2.5K ");
  EXPECT_TRUE(dialogs.Texts().empty());

  DesignRecord defaults{};
  defaults.SetOpeningDefaults();
  shell->Start("missing.KST");
  SettleEvents();
  EXPECT_EQ(dialogs.Texts(),
            (std::vector<std::string>{
                "The KESTRO file was not read correctly; defaults are being used"}));
  EXPECT_EQ(shell->Context().record.Order, defaults.Order);
  EXPECT_EQ(Shown(Find(Design, "lblOrderInput")), std::to_string(defaults.Order) + " ");
}

}  // namespace
}  // namespace kestro::test
