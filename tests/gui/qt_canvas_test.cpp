#include "platform/qt/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

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

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
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

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() { EnsureQtApplication(); }
};

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
}

TEST(PageGeometry, FontPixelsFollowTheFullScreenHeight) {
  EXPECT_NEAR(PageGeometry(QSizeF(1920, 1080)).FontPixels(), 17.28, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(1280, 800)).FontPixels(), 12.8, 1e-3);
  // A window at 40 % of a 1080-pixel screen keeps the screen's font; scale 2 doubles it.
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

// --- QtCanvas on an image ---

TEST_F(QtCanvasTest, FillsOutlinesAndLinesAtTheMappedPixels) {
  QImage image = Blank(1200, 900);  // 10 page units a pixel
  {
    QtCanvas canvas(image);
    canvas.FillRect(1000, 1000, 3000, 2000, kRed);
    canvas.Rect(5000, 1000, 7000, 2000, kBlue);
    canvas.Line(0, 5000, 6000, 5000, kBlue);
    canvas.LineTo(6000, 8000, kRed);  // from the end of the last line
  }
  EXPECT_EQ(PixelAt(image, 200, 150), kRed);    // inside the fill
  EXPECT_EQ(PixelAt(image, 350, 150), kWhite);  // outside it
  EXPECT_EQ(PixelAt(image, 500, 150), kBlue);   // left edge of the outline
  EXPECT_EQ(PixelAt(image, 600, 150), kWhite);  // its inside stays empty
  EXPECT_EQ(PixelAt(image, 300, 500), kBlue);
  EXPECT_EQ(PixelAt(image, 700, 500), kWhite);
  EXPECT_EQ(PixelAt(image, 600, 650), kRed);
  EXPECT_EQ(PixelAt(image, 650, 650), kWhite);
}

TEST_F(QtCanvasTest, PrintsTextBelowAndRightOfThePointInTheTextColour) {
  QImage image = Blank(1920, 1080);
  {
    QtCanvas canvas(image);
    canvas.SetTextColour(kBlue);
    canvas.Point(6000, 4500, kWhite);
    canvas.Print("Mousedown for data");
  }
  const int inkBelowRight = CountColour(image, QRect(960, 540, 300, 30), kBlue);
  const int inkAbove = CountColour(image, QRect(900, 480, 400, 58), kBlue);
  const int inkLeft = CountColour(image, QRect(700, 540, 259, 30), kBlue);
  EXPECT_GT(inkBelowRight, 50);
  EXPECT_EQ(inkAbove, 0);
  EXPECT_EQ(inkLeft, 0);
}

TEST_F(QtCanvasTest, ClearPaintsTheBackground) {
  QImage image = Blank(600, 450);
  {
    QtCanvas canvas(image);
    canvas.SetBackground(kBack);
    canvas.FillRect(0, 0, 6000, 4500, kRed);
    canvas.Clear();
  }
  EXPECT_EQ(CountColour(image, image.rect(), kBack), 600 * 450);
}

TEST_F(QtCanvasTest, LineWidthTwoDrawsThickerLines) {
  QImage image = Blank(1200, 900);
  {
    QtCanvas canvas(image);
    canvas.Line(1000, 2000, 5000, 2000, kRed);
    canvas.SetLineWidth(2);
    canvas.Line(1000, 6000, 5000, 6000, kRed);
  }
  EXPECT_EQ(CountColour(image, QRect(200, 190, 1, 20), kRed), 1);
  EXPECT_EQ(CountColour(image, QRect(200, 590, 1, 20), kRed), 2);
}

// --- The kept drawing ---

TEST_F(QtCanvasTest, KeptDrawingIsRepaintedAtAnyWindowSize) {
  RetainedCanvas drawing;
  drawing.FillRect(6000, 0, 12000, 4500, kRed);
  drawing.Line(0, 6000, 12000, 6000, kBlue);
  for (const QSize size : {QSize(1200, 900), QSize(1920, 1080), QSize(640, 400)}) {
    QImage image = Blank(size.width(), size.height());
    {
      QPainter painter(&image);
      QtCanvas canvas(painter, QSizeF(size));
      drawing.ReplayOn(canvas);
    }
    EXPECT_EQ(PixelAt(image, size.width() * 3 / 4, size.height() / 4), kRed) << size.width();
    EXPECT_EQ(PixelAt(image, size.width() / 4, size.height() / 4), kWhite) << size.width();
    EXPECT_EQ(PixelAt(image, size.width() / 2, size.height() * 2 / 3), kBlue) << size.width();
  }
}

TEST_F(QtCanvasTest, ClearEmptiesTheKeptDrawing) {
  int changes = 0;
  RetainedCanvas drawing([&changes] { ++changes; });
  drawing.Line(0, 0, 100, 100, kRed);
  EXPECT_EQ(changes, 1);
  drawing.Clear();
  QImage image = Blank(120, 90);
  {
    QPainter painter(&image);
    QtCanvas canvas(painter, QSizeF(120, 90));
    drawing.ReplayOn(canvas);
  }
  EXPECT_EQ(CountColour(image, image.rect(), kWhite), 120 * 90);
  EXPECT_GT(changes, 1);
}

// A panel painted over and over keeps the list short; text printed after the fill still goes
// to the position a covered point set, and a line continues from the fill's far corner.
TEST_F(QtCanvasTest, DrawingCoveredByAFillIsDroppedButThePositionsStay) {
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
  QImage image = Blank(1200, 900);
  {
    QPainter painter(&image);
    QtCanvas canvas(painter, QSizeF(1200, 900));
    drawing.ReplayOn(canvas);
  }
  const int painted = CountColour(image, QRect(300, 300, 80, 25), kBack);
  EXPECT_GT(80 * 25 - painted, 20);  // the text's ink
  EXPECT_EQ(CountColour(image, QRect(200, 200, 95, 95), kBlue), 0);
  EXPECT_EQ(PixelAt(image, 950, 500), kBlue);  // the continued line
  EXPECT_EQ(PixelAt(image, 500, 500), kBack);  // the old line is painted over
  EXPECT_EQ(PixelAt(image, 600, 850), kBlue);  // the line outside the panel survives
}

}  // namespace
}  // namespace kestro::test
