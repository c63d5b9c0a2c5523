#include "platform/qt/page_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <cstdio>

#include "platform/qt/page_geometry.h"
#include "platform/qt/qt_test_support.h"
#include "plotpage/edit_limits_page.h"
#include "plotpage/plot_test_context.h"

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
  EXPECT_EQ(list->item(1)->text(), "beta");
  emit list->itemClicked(list->item(1));
  EXPECT_EQ(label->text(), "row 1");
  EXPECT_EQ(bar->maximum(), 100);
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
  for (const QSize size : {QSize(1200, 900), QSize(800, 500)}) {
    window.resize(size);
    SettleEvents();
    const QImage shown = window.grab().toImage();
    const int w = shown.width(), h = shown.height();
    EXPECT_EQ(
        (std::vector{PixelAt(shown, w * 7 / 8, h * 7 / 8), PixelAt(shown, w * 5 / 8, h * 7 / 8)}),
        (std::vector<Rgb>{{255, 0, 0}, kBack}))
        << w;
  }
}

// A smaller window opens at its share of the screen, centred or where the page places it, with
// the screen's font.
TEST(PageWindow, ASmallerWindowOpensCentredOrAtThePagesPosition) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct SmallPage final : Page {
    explicit SmallPage(bool placed) {
      Add(ControlKind::Label, "lblText", "A", 0, 0, 6000, 1000);
      SetWindowShare(0.25f, 0.5f);
      if (placed)
        SetWindowPosition(0.4f, 0.13f);
    }
  };
  for (const bool placed : {false, true}) {
    PageWindow window(std::make_unique<SmallPage>(placed));
    window.ShowAsPage();
    SettleEvents();
    EXPECT_NEAR(window.width(), screen.width() / 4.0, 1);
    EXPECT_NEAR(window.height(), screen.height() / 2.0, 1);
    const QPoint expected =
        placed ? screen.topLeft() + QPoint(screen.width() * 40 / 100, screen.height() * 13 / 100)
               : screen.center() - QPoint(window.width() / 2, window.height() / 2);
    EXPECT_LE((window.pos() - expected).manhattanLength(), 2) << placed;
    // The page font stays 0.016 of the screen height, not of the window's.
    EXPECT_EQ(window.WidgetFor("lblText")->font().pixelSize(), qRound(0.016 * screen.height()));
  }
}

// The analysis page of a designed filter in a real window of the given size.
struct PlotWindow {
  explicit PlotWindow(QSize size, int16_t nints = 512) {
    context.record.Nints = nints;
    auto owned = std::make_unique<PlotPage>(context.context, context.link);
    page = owned.get();
    window = std::make_unique<PageWindow>(std::move(owned));
    window->resize(size);
    window->show();
    QApplication::processEvents();
  }
  // The window pixel of a page position.
  QPoint At(float x, float y) const {
    return PageGeometry(QSizeF(window->size())).ToPixels(x, y).toPoint();
  }
  PlotTestContext context;
  PlotPage* page = nullptr;
  std::unique_ptr<PageWindow> window;
};

// A floor entered with the mouse lands at the page position of the click, whatever the window
// size and however unevenly the page units stretch: 1 kHz at x = 6500, -25 dB at y = 4000.
TEST(PlotWindowMouse, ALimitEnteredWithTheMouseAtEveryWindowSize) {
  for (const QSize size : {QSize(1200, 900), QSize(1900, 700), QSize(800, 1000)}) {
    PlotWindow w(size);
    auto* floor = qobject_cast<QPushButton*>(w.window->WidgetFor("cmdLimit1"));
    ASSERT_NE(floor, nullptr);
    EXPECT_FALSE(floor->icon().isNull()) << "the shape's picture";
    floor->click();
    QTest::mousePress(w.window.get(), Qt::LeftButton, {}, w.At(6500, 4000));
    QTest::mouseRelease(w.window.get(), Qt::LeftButton, {}, w.At(6500, 4000));
    const DesignRecord& r = w.context.record;
    ASSERT_EQ(r.NrLimits[1], 1) << size.width();
    EXPECT_NEAR(r.LimitStop[1][1], 1000, 20) << size.width();
    EXPECT_NEAR(r.LimitTop[1][1], -25, 0.2) << size.width();
  }
}

// Each step of a drag at 2048 intervals, with the repaint it asks for, must fit inside a 60 Hz
// frame (16.7 ms) so the readout keeps up with the pointer; the readout follows it.
TEST(PlotWindowMouse, ADragStepAndItsRepaintAt2048Intervals) {
  PlotWindow w(QSize(1920, 1080), 2048);
  w.window->repaint();
  QTest::mousePress(w.window.get(), Qt::LeftButton, {}, w.At(3000, 4000));
  constexpr int kSteps = 60;
  QElapsedTimer timer;
  timer.start();
  for (int step = 0; step < kSteps; ++step) {
    QTest::mouseMove(w.window.get(), w.At(3000.0f + 120.0f * static_cast<float>(step), 4000));
    QApplication::processEvents();  // the repaint the move asked for
  }
  const double perStep = static_cast<double>(timer.nsecsElapsed()) / 1e6 / kSteps;
  EXPECT_EQ(w.page->Readout().ReadoutIndex(),
            PlotMapping::PointUnder(3000.0f + 120.0f * (kSteps - 1), 2048));
  std::printf("drag step with repaint at Nints 2048: %.2f ms\n", perStep);
  EXPECT_LT(perStep, 16.7);
  QTest::mouseRelease(w.window.get(), Qt::LeftButton, {}, w.At(9000, 4000));
}

TEST(EditLimitsWindow, RowsInAFixedPitchFont) {
  PlotTestContext t;
  PageWindow window(std::make_unique<EditLimitsPage>(t.context, t.link));
  EXPECT_TRUE(QFontInfo(window.WidgetFor("lstSelect")->font()).fixedPitch());
}

}  // namespace
}  // namespace kestro::test
