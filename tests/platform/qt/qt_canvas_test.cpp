#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>

namespace kestro {
namespace {

// An 800 x 800 window: 1/15 pixel a unit across, the page font at the screen's height.
// `text` at (11100, 1000) page units, by PrintWithin(maxWidth) when maxWidth > 0.
QImage Printed(const std::string& text, float maxWidth) {
  QImage image(800, 800, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(image);
  canvas.Point(11100, 1000, {255, 255, 255});
  maxWidth > 0 ? canvas.PrintWithin(text, maxWidth) : canvas.Print(text);
  return image;
}

// Inked pixels in the pixel columns [left, right).
int InkBetween(const QImage& image, int left, int right) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = left; x < right; ++x)
      count += image.pixel(x, y) != qRgb(255, 255, 255);
  }
  return count;
}

// A delay label wider than its column (11100..11460 units, pixels 740..764) is drawn smaller
// and ends within it; a label that fits is drawn as Print draws it.
TEST(QtCanvas, PrintWithinShrinksOnlyATextWiderThanItsColumn) {
  EXPECT_GT(InkBetween(Printed("833.3p", 0), 764, 800), 0);  // the overlap being prevented
  const QImage fitted = Printed("833.3p", 360);
  EXPECT_EQ(InkBetween(fitted, 764, 800), 0);
  EXPECT_GT(InkBetween(fitted, 740, 764), 20);
  EXPECT_EQ(Printed("0", 360), Printed("0", 0));
}

}  // namespace
}  // namespace kestro
