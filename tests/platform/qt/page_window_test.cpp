#include "platform/qt/page_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "platform/qt/page_geometry.h"
#include "plotpage/edit_limits_page.h"
#include "plotpage/plot_test_context.h"

namespace kestro {
namespace {

// The test program's one QApplication, offscreen, never destroyed.
[[maybe_unused]] const QApplication* const kApplication = [] {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "page_window_test";
  static char* argv[] = {name, nullptr};
  return new QApplication(argc, argv);
}();

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
  test::PlotTestContext context;
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
  test::PlotTestContext t;
  PageWindow window(std::make_unique<EditLimitsPage>(t.context, t.link));
  EXPECT_TRUE(QFontInfo(window.WidgetFor("lstSelect")->font()).fixedPitch());
}

}  // namespace
}  // namespace kestro
