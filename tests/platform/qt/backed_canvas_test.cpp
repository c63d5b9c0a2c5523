#include "platform/qt/backed_canvas.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBack{238, 255, 255};

// A saw-tooth curve across the page, as a plot draws one: a first point, then segments.
void DrawCurve(BackedCanvas& canvas, int points, Rgb colour) {
  canvas.Line(0, 4500, 0, 4500, colour);
  for (int i = 1; i < points; ++i)
    canvas.LineTo(12000.0f * static_cast<float>(i) / static_cast<float>(points - 1),
                  i % 2 == 0 ? 4500.0f : 4600.0f, colour);
}

// Each command is in the image at once, and the window learns to repaint every pixel it
// changed; a resize paints it again at the new scale.
TEST(BackedCanvas, PaintsAtOnceAndAgainSharpAfterAResize) {
  BackedCanvas canvas;
  canvas.SetBackground(QColor(238, 255, 255));
  canvas.Resize(QSize(1200, 900));
  canvas.FillRect(6000, 0, 12000, 4500, kRed);
  canvas.Line(0, 6000, 12000, 6000, kBlue);
  EXPECT_TRUE(canvas.TakeDirty().contains(QRect(0, 0, 1200, 601)));
  EXPECT_TRUE(canvas.TakeDirty().isNull());
  const QImage& before = canvas.Image();
  EXPECT_EQ((std::vector{PixelAt(before, 900, 200), PixelAt(before, 300, 200),
                         PixelAt(before, 300, 600), PixelAt(before, 300, 601)}),
            (std::vector{kRed, kBack, kBlue, kBack}));
  canvas.Resize(QSize(600, 450));
  const QImage& after = canvas.Image();
  EXPECT_EQ(after.size(), QSize(600, 450));
  EXPECT_EQ(
      (std::vector{PixelAt(after, 450, 100), PixelAt(after, 150, 300), PixelAt(after, 150, 301)}),
      (std::vector{kRed, kBlue, kBack}));
}

// A curve is one kept command however many segments it has; past the bound the commands are
// given up and a resize scales the picture, until Clear starts a fresh drawing.
TEST(BackedCanvas, CurvesAreKeptAsPolylinesWithinABound) {
  BackedCanvas canvas({}, 5000);
  canvas.Resize(QSize(1200, 900));
  for (int curve = 0; curve < 4; ++curve)
    DrawCurve(canvas, 1000, curve % 2 == 0 ? kRed : kBlue);
  EXPECT_TRUE(canvas.Kept().Complete());
  EXPECT_LE(canvas.Kept().Size(), 10u);
  DrawCurve(canvas, 2000, kBlue);
  EXPECT_FALSE(canvas.Kept().Complete());
  canvas.Resize(QSize(600, 450));
  int blue = 0;
  for (int y = 220; y < 236; ++y)
    blue += PixelAt(canvas.Image(), 300, y).b > 200 && PixelAt(canvas.Image(), 300, y).r < 100;
  EXPECT_GT(blue, 0);  // the scaled picture still shows the last curve
  canvas.Clear();
  EXPECT_TRUE(canvas.Kept().Complete());
}

}  // namespace
}  // namespace kestro::test
