// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/page_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <array>

#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kBack{238, 255, 255};

// A page with one control of each kind that records what reaches it.
struct ProbePage final : Page {
  ProbePage() {
    SetBackColour(kBack);
    Add(ControlKind::ListBox, "lstRows", "", 0, 0, 6000, 3000).onRowClick = [this](int row) {
      (*this)["lblShown"].caption = "row " + std::to_string(row);
    };
    Add(ControlKind::ScrollBar, "hsbScroll", "", 0, 3000, 12000, 300).onChange = [this] {
      (*this)["lblShown"].caption = std::to_string((*this)["hsbScroll"].value);
    };
    (*this)["hsbScroll"].maximum = 100;
    Add(ControlKind::Label, "lblShown", "", 0, 4000, 6000, 300).onClick = [this] { ++clicks; };
    Add(ControlKind::Button, "cmdHide", "Hide", 6000, 4000, 2000, 300).onClick = [this] {
      (*this)["lblShown"].visible = false;
      (*this)["cmdHide"].enabled = false;
      (*this)["cmdHide"].face = Rgb{128, 255, 255};
      (*this)["lstRows"].rows = {"first", "second", "third"};
    };
    (*this)["lstRows"].rows = {"alpha", "beta"};
  }
  void OnMouseDown(int button, float x, float y) override {
    downs.push_back({button, std::lround(x / 10) * 10, std::lround(y / 10) * 10});
  }
  using Page::canvas;                      // the test draws on the window too
  std::vector<std::array<long, 3>> downs;  // button, x, y to ten page units
  int clicks = 0;
};

// List rows, scroll bar, label and button clicks reach the page, and the widgets follow its
// controls. Controls and their font scale with the window; presses below them arrive in page
// units, the button counted from one; the background and the drawing survive resizes.
TEST(PageWindow, EventsReachThePageAndWidgetsFollowItsControlsAtAnySize) {
  auto* probe = new ProbePage;
  PageWindow window{std::unique_ptr<Page>(probe)};
  window.resize(1200, 900);
  window.show();
  SettleEvents();
  auto* list = qobject_cast<QListWidget*>(window.WidgetFor("lstRows"));
  auto* bar = qobject_cast<QScrollBar*>(window.WidgetFor("hsbScroll"));
  auto* label = qobject_cast<QLabel*>(window.WidgetFor("lblShown"));
  auto* hide = qobject_cast<QPushButton*>(window.WidgetFor("cmdHide"));
  ASSERT_TRUE(list && bar && label && hide);
  ASSERT_EQ(list->count(), 2);
  emit list->itemClicked(list->item(1));
  EXPECT_EQ(label->text(), "row 1");
  bar->setValue(42);
  EXPECT_EQ(label->text(), "42");  // the page read the bar's value
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(probe->clicks, 1);
  hide->click();
  EXPECT_TRUE(label->isHidden());
  EXPECT_FALSE(hide->isEnabled());
  EXPECT_TRUE(hide->styleSheet().contains("rgb(128, 255, 255)"))
      << hide->styleSheet().toStdString();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(2)->text(), "third");

  window.resize(2400, 1350);  // the page's units stretch unevenly
  SettleEvents();
  EXPECT_EQ(hide->geometry(), QRect(1200, 600, 400, 45));  // page (6000, 4000), 2000 x 300
  EXPECT_EQ(hide->font().pixelSize(), 22);                 // 0.016 x 1350 pixels = 21.6
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(1200, 1050));
  QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(2200, 1200));
  EXPECT_EQ(probe->downs, (std::vector<std::array<long, 3>>{{1, 6000, 7000}, {2, 11000, 8000}}));
  probe->canvas()->FillRect(9000, 6750, 12000, 9000, {255, 0, 0});  // the lower right quarter
  window.resize(800, 500);
  SettleEvents();
  const QImage shown = window.grab().toImage();
  EXPECT_EQ((std::vector{PixelAt(shown, 700, 437), PixelAt(shown, 500, 437)}),
            (std::vector<Rgb>{{255, 0, 0}, kBack}));
}

// A smaller window opens at its share of the screen, its text as large as a full page's.
TEST(PageWindow, ASmallerWindowTakesItsShareOfTheScreenAndKeepsTheFont) {
  struct SmallPage final : Page {
    SmallPage() {
      Add(ControlKind::Label, "lblText", "A", 0, 0, 6000, 1000);
      SetWindowShare(0.25f, 0.5f);
    }
  };
  PageWindow window(std::make_unique<SmallPage>());
  window.ShowAsPage();
  SettleEvents();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_NEAR(window.width(), screen.width() / 4.0, 1);
  EXPECT_NEAR(window.height(), screen.height() / 2.0, 1);
  EXPECT_EQ(window.WidgetFor("lblText")->font().pixelSize(), qRound(0.016 * screen.height()));
}

// A button in one window that disables a button of another page: the other window's widget
// follows at once, without waiting for the mouse to reach it.
TEST(PageWindow, AnEventInOneWindowReachesTheWidgetsOfAnother) {
  struct OnePage final : Page {
    OnePage() { Add(ControlKind::Button, "cmdGo", "Go", 0, 0, 3000, 1000); }
  };
  auto* main = new OnePage;
  auto* side = new OnePage;
  (*side)["cmdGo"].onClick = [main] { (*main)["cmdGo"].enabled = false; };
  PageWindow mainWindow{std::unique_ptr<Page>(main)};
  PageWindow sideWindow{std::unique_ptr<Page>(side)};
  qobject_cast<QPushButton*>(sideWindow.WidgetFor("cmdGo"))->click();
  EXPECT_FALSE(mainWindow.WidgetFor("cmdGo")->isEnabled());
}

}  // namespace
}  // namespace kestro::test
