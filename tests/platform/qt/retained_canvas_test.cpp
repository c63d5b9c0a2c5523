#include "platform/qt/retained_canvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBack{238, 255, 255};

// The drawing painted on a white image of the given size.
QImage Replayed(const RetainedCanvas& drawing, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  drawing.ReplayOn(*std::make_unique<QtCanvas>(image));  // painting ends with the statement
  return image;
}

TEST(RetainedCanvas, IsRepaintedAtAnyWindowSizeUntilCleared) {
  int changes = 0;
  RetainedCanvas drawing([&changes] { ++changes; });
  drawing.FillRect(6000, 0, 12000, 4500, kRed);
  drawing.Line(0, 6000, 12000, 6000, kBlue);
  EXPECT_EQ(changes, 2);
  const QImage image = Replayed(drawing, QSize(640, 400));
  EXPECT_EQ(
      (std::vector{PixelAt(image, 480, 100), PixelAt(image, 160, 100), PixelAt(image, 320, 266)}),
      (std::vector{kRed, kWhite, kBlue}));
  drawing.Clear();
  EXPECT_GT(changes, 2);
  const QImage cleared = Replayed(drawing, QSize(120, 90));
  EXPECT_EQ(CountColour(cleared, cleared.rect(), kWhite), 120 * 90);
}

// A panel painted over and over keeps the list short; text printed after the fill still goes
// to the position a covered point set, and a line continues from the fill's far corner.
TEST(RetainedCanvas, DrawingCoveredByAFillIsDroppedButThePositionsStay) {
  RetainedCanvas drawing;
  drawing.Line(0, 8500, 12000, 8500, kBlue);  // outside the panel: kept
  for (int pass = 0; pass < 200; ++pass) {
    drawing.FillRect(1000, 1000, 7000, 7000, kBack);
    drawing.Line(2000, 2000, 6000, 6000, kRed);
    drawing.Point(3000, 3000, kRed);
    drawing.Print("x");
  }
  EXPECT_LT(drawing.Size(), 12u);
  drawing.FillRect(1000, 1000, 7000, 7000, kBack);  // covers the last line and point too
  drawing.SetTextColour(kBlue);
  drawing.Print("Mark");               // at (3000, 3000), where the covered point left it
  drawing.LineTo(12000, 3000, kBlue);  // from (7000, 7000), the corner of the fill
  const QImage image = Replayed(drawing, QSize(1200, 900));
  EXPECT_GT(CountColour(image, QRect(300, 300, 80, 25), kBack, false), 20);  // the text's ink
  EXPECT_EQ(CountColour(image, QRect(200, 200, 95, 95), kBlue), 0);
  // The continued line, the old line painted over, the line outside the panel.
  EXPECT_EQ(
      (std::vector{PixelAt(image, 950, 500), PixelAt(image, 500, 500), PixelAt(image, 600, 850)}),
      (std::vector{kBlue, kBack, kBlue}));
}

// Labels redrawn where no fill clears them stay one command each; a label printed in another
// colour or text is kept.
TEST(RetainedCanvas, ALabelPrintedAgainAtItsPlaceReplacesTheEarlierOne) {
  RetainedCanvas drawing;
  auto label = [&drawing](const char* text, Rgb colour) {
    drawing.SetTextColour(colour);
    drawing.Point(1800, 7100, kBack);
    drawing.Print(text);
  };
  label("1K", kBlue);
  const std::size_t once = drawing.Size();
  for (int redraw = 0; redraw < 100; ++redraw)
    label("1K", kBlue);
  EXPECT_LE(drawing.Size(), once + 2);
  const std::size_t repeated = drawing.Size();
  label("2K", kBlue);
  label("1K", kRed);
  EXPECT_GE(drawing.Size(), repeated + 2);
  const QImage image = Replayed(drawing, QSize(1200, 900));
  EXPECT_GT(CountColour(image, QRect(180, 710, 60, 25), kWhite, false), 20);  // the labels' ink
}

}  // namespace
}  // namespace kestro::test
