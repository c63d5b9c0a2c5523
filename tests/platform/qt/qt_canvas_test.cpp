// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

// Width one is one pixel thick, width two (the curves drawn bold) two pixels; a line continues
// from where the last one ended.
TEST(QtCanvas, LinesAreAsThickAsTheirWidth) {
  const QImage image = Drawn(QSize(1200, 900), [](QtCanvas& canvas) {  // 10 units a pixel
    canvas.Line(1000, 3000, 5000, 3000, kRed);
    canvas.SetLineWidth(2);
    canvas.LineTo(5000, 7000, kBlue);
  });
  EXPECT_EQ(CountColour(image, QRect(200, 290, 1, 20), kRed), 1);
  EXPECT_EQ(CountColour(image, QRect(490, 500, 20, 1), kBlue), 2);
}

// Text goes below and right of the point (the retained canvas's replay shows it).
TEST(QtCanvas, ClearPaintsTheBackground) {
  const QImage cleared = Drawn(QSize(600, 450), [](QtCanvas& canvas) {
    canvas.SetBackground({238, 255, 255});
    canvas.FillRect(0, 0, 6000, 4500, kRed);
    canvas.Clear();
  });
  EXPECT_EQ(CountColour(cleared, cleared.rect(), {238, 255, 255}), 600 * 450);
}

// A delay label wider than its column (11100..11460 units, pixels 740..764 of an 800-pixel
// image) is drawn smaller and ends within it; a label that fits is drawn as Print draws it.
TEST(QtCanvas, PrintWithinShrinksOnlyATextWiderThanItsColumn) {
  const auto printed = [](const char* text, float maxWidth) {
    return Drawn(QSize(800, 800), [&](QtCanvas& canvas) {
      canvas.Point(11100, 1000, kWhite);
      maxWidth > 0 ? canvas.PrintWithin(text, maxWidth) : canvas.Print(text);
    });
  };
  const auto ink = [](const QImage& image, int left, int right) {
    return CountColour(image, QRect(left, 0, right - left, 800), kWhite, false);
  };
  EXPECT_GT(ink(printed("833.3p", 0), 764, 800), 0);  // the overlap being prevented
  const QImage fitted = printed("833.3p", 360);
  EXPECT_EQ(ink(fitted, 764, 800), 0);
  EXPECT_GT(ink(fitted, 740, 764), 20);
  EXPECT_EQ(printed("0", 360), printed("0", 0));
}

}  // namespace
}  // namespace kestro::test
