// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/retained_canvas.h"

#include <gtest/gtest.h>

#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255}, kBack{238, 255, 255};

QImage Replayed(const RetainedCanvas& drawing, QSize size) {
  return Drawn(size, [&drawing](QtCanvas& canvas) { drawing.ReplayOn(canvas); });
}

// A panel painted over and over, and labels printed again at their place, keep the list short;
// text printed after the fill still goes to the position a covered point set, a line continues
// from the fill's far corner, and a label in another text is kept.
TEST(RetainedCanvas, RepaintedDrawingIsDroppedButThePositionsStay) {
  RetainedCanvas drawing;
  drawing.Line(0, 8500, 12000, 8500, kBlue);  // outside the panel: kept
  drawing.Point(9000, 7800, kBack);
  drawing.Print("2K");
  for (int pass = 0; pass < 200; ++pass) {
    drawing.Point(9000, 7100, kBack);  // a label outside the panel
    drawing.Print("1K");
    drawing.FillRect(1000, 1000, 7000, 7000, kBack);
    drawing.Line(2000, 2000, 6000, 6000, kRed);
    drawing.Point(3000, 3000, kRed);
    drawing.Print("x");
  }
  EXPECT_LT(drawing.Size(), 16u);
  drawing.FillRect(1000, 1000, 7000, 7000, kBack);  // covers the last line and point too
  drawing.SetTextColour(kBlue);
  drawing.Print("Mark");               // at (3000, 3000), where the covered point left it
  drawing.LineTo(12000, 3000, kBlue);  // from (7000, 7000), the corner of the fill
  const QImage image = Replayed(drawing, QSize(1200, 900));
  EXPECT_GT(CountColour(image, QRect(300, 300, 80, 25), kBack, false), 20);  // the text's ink
  EXPECT_EQ(CountColour(image, QRect(200, 200, 95, 125), kBlue), 0);         // none above or left
  // The continued line, the old line painted over, the line outside the panel.
  EXPECT_EQ(
      (std::vector{PixelAt(image, 950, 500), PixelAt(image, 500, 500), PixelAt(image, 600, 850)}),
      (std::vector{kBlue, kBack, kBlue}));
  for (const int top : {710, 780})  // both labels' ink
    EXPECT_GT(CountColour(image, QRect(900, top, 40, 25), kWhite, false), 20) << top;
}

}  // namespace
}  // namespace kestro::test
