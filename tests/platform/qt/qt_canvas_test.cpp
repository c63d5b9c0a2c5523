#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

// On a 1200 x 900 image a pixel is 10 page units each way.
TEST(QtCanvas, FillsOutlinesAndLinesAtTheMappedPixels) {
  const QImage image = Drawn(QSize(1200, 900), [](QtCanvas& canvas) {
    canvas.FillRect(1000, 1000, 3000, 2000, kRed);
    canvas.Rect(5000, 1000, 7000, 2000, kBlue);
    canvas.Line(0, 5000, 6000, 5000, kBlue);
    canvas.LineTo(6000, 8000, kRed);  // from the end of the last line
    canvas.Line(1000, 3000, 5000, 3000, kRed);
    canvas.SetLineWidth(2);
    canvas.Line(1000, 7000, 5000, 7000, kRed);
  });
  // Inside the fill, between the shapes, on the outline, inside it, on both joined lines.
  EXPECT_EQ(
      (std::vector{PixelAt(image, 200, 150), PixelAt(image, 350, 150), PixelAt(image, 500, 150),
                   PixelAt(image, 600, 150), PixelAt(image, 300, 500), PixelAt(image, 600, 650)}),
      (std::vector{kRed, kWhite, kBlue, kWhite, kBlue, kRed}));
  // Width one is one pixel thick, width two two pixels.
  EXPECT_EQ(CountColour(image, QRect(200, 290, 1, 20), kRed), 1);
  EXPECT_EQ(CountColour(image, QRect(200, 690, 1, 20), kRed), 2);
}

TEST(QtCanvas, PrintsTextBelowAndRightOfThePointAndClearPaintsTheBackground) {
  const QImage image = Drawn(QSize(1920, 1080), [](QtCanvas& canvas) {
    canvas.SetTextColour(kBlue);
    canvas.Point(6000, 4500, kWhite);
    canvas.Print("Mousedown for data");
  });
  EXPECT_GT(CountColour(image, QRect(960, 540, 300, 30), kBlue), 50);  // below and right
  EXPECT_EQ(CountColour(image, QRect(900, 480, 400, 58), kBlue), 0);   // above
  EXPECT_EQ(CountColour(image, QRect(700, 540, 259, 30), kBlue), 0);   // left
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
