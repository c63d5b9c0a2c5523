#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/qt/page_geometry.h"
#include "platform/qt/retained_canvas.h"
#include "qt_application.h"

namespace kestro::test {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBack{238, 255, 255};

Rgb PixelAt(const QImage& image, int x, int y) {
  const QColor colour = image.pixelColor(x, y);
  return {static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
          static_cast<uint8_t>(colour.blue())};
}

// Counts pixels of a colour inside a pixel rectangle.
int CountColour(const QImage& image, QRect area, Rgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x)
      count += PixelAt(image, x, y) == colour;
  }
  return count;
}

QImage White(QSize size) {
  EnsureQtApplication();
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// A white image of the given size with what `draw` puts on a canvas painting straight onto it.
QImage Drawn(QSize size, const std::function<void(QtCanvas&)>& draw) {
  QImage image = White(size);
  {
    QtCanvas canvas(image);
    draw(canvas);
  }
  return image;
}

// The kept drawing replayed the way a window paints it.
QImage Replayed(const RetainedCanvas& drawing, QSize size) {
  QImage image = White(size);
  {
    QPainter painter(&image);
    QtCanvas canvas(painter, QSizeF(size));
    drawing.ReplayOn(canvas);
  }
  return image;
}

// --- Page geometry ---

TEST(PageGeometry, FontIsTheScreenShareInTwipsAsPoints) {
  struct Case {
    float screenPixels, dpi, points;
  };
  // 0.0008 x screen height in twips (pixels x 1440 / dpi).
  const std::vector<Case> cases{
      {1080, 96, 12.96f}, {800, 96, 9.6f}, {2160, 192, 12.96f}, {768, 72, 12.288f}};
  for (const Case& c : cases) {
    EXPECT_NEAR(PageGeometry::FontPoints(c.screenPixels, c.dpi), c.points, 1e-3)
        << c.screenPixels << " at " << c.dpi;
  }
  // Pixels: 0.016 of the full screen height; a window at 40 % of a 1080-pixel screen keeps the
  // screen's font, and a font scale of 2 doubles it.
  EXPECT_NEAR(PageGeometry(QSizeF(1920, 1080)).FontPixels(), 17.28, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(1280, 800)).FontPixels(), 12.8, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(768, 432), 0.4f).FontPixels(), 17.28, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(1920, 1080)).FontPixels(2.0f), 34.56, 1e-3);
}

TEST(PageGeometry, MapsPageUnitsOntoTheWholeSurfaceBothWays) {
  const PageGeometry geometry(QSizeF(1920, 1080));
  EXPECT_EQ(geometry.ToPixels(12000, 9000), QPointF(1920, 1080));
  EXPECT_EQ(geometry.ToPixels(6000, 4500), QPointF(960, 540));
  EXPECT_EQ(geometry.ToPixels(300, 300, 600, 900), QRectF(48, 36, 96, 108));
  const QPointF back = geometry.ToPage(QPointF(480, 270));
  EXPECT_NEAR(back.x(), 3000, 1e-3);
  EXPECT_NEAR(back.y(), 2250, 1e-3);
}

// --- QtCanvas ---

TEST(QtCanvas, FillsOutlinesAndLinesAtTheMappedPixels) {
  const QImage image = Drawn(QSize(1200, 900), [](QtCanvas& canvas) {  // 10 page units a pixel
    canvas.FillRect(1000, 1000, 3000, 2000, kRed);
    canvas.Rect(5000, 1000, 7000, 2000, kBlue);
    canvas.Line(0, 5000, 6000, 5000, kBlue);
    canvas.LineTo(6000, 8000, kRed);  // from the end of the last line
    canvas.Line(1000, 3000, 5000, 3000, kRed);
    canvas.SetLineWidth(2);
    canvas.Line(1000, 7000, 5000, 7000, kRed);
  });
  const struct {
    int x, y;
    Rgb colour;
  } pixels[]{{200, 150, kRed},  {350, 150, kWhite}, {500, 150, kBlue}, {600, 150, kWhite},
             {300, 500, kBlue}, {700, 500, kWhite}, {600, 650, kRed},  {650, 650, kWhite}};
  for (const auto& p : pixels)
    EXPECT_EQ(PixelAt(image, p.x, p.y), p.colour) << p.x << "," << p.y;
  // Width one is one pixel thick, width two two pixels.
  EXPECT_EQ(CountColour(image, QRect(200, 290, 1, 20), kRed), 1);
  EXPECT_EQ(CountColour(image, QRect(200, 690, 1, 20), kRed), 2);
}

TEST(QtCanvas, PrintsTextBelowAndRightOfThePointInTheTextColour) {
  const QImage image = Drawn(QSize(1920, 1080), [](QtCanvas& canvas) {
    canvas.SetTextColour(kBlue);
    canvas.Point(6000, 4500, kWhite);
    canvas.Print("Mousedown for data");
  });
  EXPECT_GT(CountColour(image, QRect(960, 540, 300, 30), kBlue), 50);  // below and right
  EXPECT_EQ(CountColour(image, QRect(900, 480, 400, 58), kBlue), 0);   // above
  EXPECT_EQ(CountColour(image, QRect(700, 540, 259, 30), kBlue), 0);   // left
}

TEST(QtCanvas, ClearPaintsTheBackground) {
  const QImage image = Drawn(QSize(600, 450), [](QtCanvas& canvas) {
    canvas.SetBackground(kBack);
    canvas.FillRect(0, 0, 6000, 4500, kRed);
    canvas.Clear();
  });
  EXPECT_EQ(CountColour(image, image.rect(), kBack), 600 * 450);
}

// --- The kept drawing ---

TEST(RetainedCanvas, IsRepaintedAtAnyWindowSizeUntilCleared) {
  int changes = 0;
  RetainedCanvas drawing([&changes] { ++changes; });
  drawing.FillRect(6000, 0, 12000, 4500, kRed);
  drawing.Line(0, 6000, 12000, 6000, kBlue);
  EXPECT_EQ(changes, 2);
  for (const QSize size : {QSize(1200, 900), QSize(1920, 1080), QSize(640, 400)}) {
    const QImage image = Replayed(drawing, size);
    const int w = size.width(), h = size.height();
    EXPECT_EQ(PixelAt(image, w * 3 / 4, h / 4), kRed) << w;
    EXPECT_EQ(PixelAt(image, w / 4, h / 4), kWhite) << w;
    EXPECT_EQ(PixelAt(image, w / 2, h * 2 / 3), kBlue) << w;
  }
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
  EXPECT_GT(80 * 25 - CountColour(image, QRect(300, 300, 80, 25), kBack), 20);  // the text's ink
  EXPECT_EQ(CountColour(image, QRect(200, 200, 95, 95), kBlue), 0);
  EXPECT_EQ(PixelAt(image, 950, 500), kBlue);  // the continued line
  EXPECT_EQ(PixelAt(image, 500, 500), kBack);  // the old line is painted over
  EXPECT_EQ(PixelAt(image, 600, 850), kBlue);  // the line outside the panel survives
}

// Labels redrawn where no fill clears them (the frequency labels left of the cleared strip) stay
// one command each, and a label printed in another colour or text is kept.
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
  EXPECT_GE(drawing.Size(), repeated + 2);  // another text, another colour: both kept
  const QImage image = Replayed(drawing, QSize(1200, 900));
  const QRect labelArea(180, 710, 60, 25);
  EXPECT_GT(60 * 25 - CountColour(image, labelArea, kBack), 20);  // the labels' ink
}

}  // namespace
}  // namespace kestro::test
