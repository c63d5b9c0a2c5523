#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

namespace kestro {
namespace {

// A white image with `text` printed at (x, 1000) page units, by PrintWithin when maxWidth > 0.
QImage Printed(QSize size, float x, const std::string& text, float maxWidth) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  auto canvas = std::make_unique<QtCanvas>(image);
  canvas->Point(x, 1000, {255, 255, 255});
  if (maxWidth > 0) {
    canvas->PrintWithin(text, maxWidth);
  } else {
    canvas->Print(text);
  }
  return image;
}

// Inked pixels in the columns [left, right) of the image.
int InkBetween(const QImage& image, int left, int right) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = left; x < right; ++x)
      count += image.pixel(x, y) != qRgb(255, 255, 255);
  }
  return count;
}

// The page font follows the screen height, so in a narrow window a delay label is wider than
// its column (11100..11460 units): it is drawn smaller, readable, and ends within the column.
TEST(QtCanvas, PrintWithinShrinksOnlyATextWiderThanItsColumn) {
  const QSize narrow(800, 800);  // 1/15 pixel a unit across: the column is 24 pixels wide
  const int columnLeft = 740, columnRight = 764;
  const QImage plain = Printed(narrow, 11100, "833.3p", 0);
  const QImage fitted = Printed(narrow, 11100, "833.3p", 360);
  EXPECT_GT(InkBetween(plain, columnRight, narrow.width()), 0);  // the fault being prevented
  EXPECT_EQ(InkBetween(fitted, columnRight, narrow.width()), 0);
  EXPECT_GT(InkBetween(fitted, columnLeft, columnRight), 20);
  // A text that fits is drawn as Print draws it.
  EXPECT_EQ(Printed(narrow, 11100, "0", 360), Printed(narrow, 11100, "0", 0));
}

}  // namespace
}  // namespace kestro
