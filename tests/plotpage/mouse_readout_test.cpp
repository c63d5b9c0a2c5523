#include "plotpage/mouse_readout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Names;
using test::PlotPageFixture;

// The texts of the readout's value row (y = 7470) by column, "" where nothing was printed.
Names ValueRow(const test::RecordingCanvas& canvas) {
  Names row(5);
  const float columns[] = {4500, 5300, 6100, 6900, 7700};
  for (const auto& c : canvas.Printed()) {
    for (std::size_t k = 0; k < 5; ++k) {
      if (c.textY == 7470 && c.textX == columns[k])
        row[k] = c.text;
    }
  }
  return row;
}

// x of the analysis point i of 0..512 (its left end, nudged inside).
float PointX(int i) {
  return 2000.0f + 9000.0f * (static_cast<float>(i) + 0.25f) / 513.0f;
}

// Fifth-order Butterworth at 1 kHz, 100 Hz .. 10 kHz, point i at 100 * 100^(i / 512) Hz: the gain
// -10 log10(1 + (f / 1 kHz)^10) is about 0 dB at the left end and -100 dB at 10 kHz, where the
// slope is -6 dB per octave per pole, -30 dB per octave.
TEST(MouseReadout, ValuesAndSlopeAtBothEndsAndInTheStopband) {
  PlotPageFixture f(5);
  const struct {
    int point;
    float freq, gain, slope;  // slope NaN: the column stays empty
  } cases[] = {{0, 100, 0, NAN},
               {2, 101.815f, 0, NAN},
               {3, 102.735f, 0, -1e-6f},
               {420, 4371.4f, -64.063f, -30.1f},
               {509, 9733.9f, -98.83f, -30.1f},
               {510, 9821.7f, -99.22f, NAN},
               {512, 10000, -100, NAN}};
  for (const auto& c : cases) {
    f.canvas.commands.clear();
    f.page->OnMouseDown(1, PointX(c.point), 4000);
    const Names row = ValueRow(f.canvas);
    EXPECT_EQ(f.page->Readout().ReadoutIndex(), c.point);
    EXPECT_NEAR(test::Read(row[0]), c.freq, c.freq * 2e-4) << c.point << " " << row[0];
    EXPECT_NEAR(test::Read(row[1]), c.gain, 0.02) << c.point << " " << row[1];
    if (std::isnan(c.slope)) {
      EXPECT_EQ(row[4], "") << c.point;
    } else {
      EXPECT_NEAR(test::Read(row[4]), c.slope, 0.15) << c.point << " " << row[4];
      EXPECT_EQ(row[4].substr(row[4].size() - 12), " dB / octave");
    }
    EXPECT_LT(test::FindPrint(f.canvas, "Gain slope:", 7700), f.canvas.commands.size());
    f.page->OnMouseUp(1, 500, 500);
  }
}

TEST(MouseReadout, GainsBelowMinus120ReadAsSuch) {
  PlotPageFixture f;
  f.record.Gain[100] = -120.01f, f.record.Gain[101] = -120;
  Names gains;
  for (int i : {100, 101}) {
    f.page->OnMouseDown(1, PointX(i), 4000);
    gains.push_back(ValueRow(f.canvas)[1]);
  }
  EXPECT_EQ(gains, (Names{"<-120", "-120 "}));
}

// Strict bounds on the left, right and top edges; below the box still counts. A drag follows the
// pointer only while the button is down.
TEST(MouseReadout, PressAndDragBounds) {
  const struct {
    float x, y;
    bool shown;
  } cases[] = {{2000, 4000, false}, {11000, 4000, false}, {5000, 1000, false},
               {5000, 8800, true},  {2001, 1001, true},   {10999, 6999, true}};
  for (const auto& c : cases) {
    PlotPageFixture f;
    f.canvas.commands.clear();
    f.page->OnMouseDown(1, c.x, c.y);
    EXPECT_EQ(f.page->Readout().MouseIsDown(), -1);
    EXPECT_EQ(!f.canvas.commands.empty(), c.shown) << c.x << "," << c.y;
  }
  PlotPageFixture f;
  f.page->OnMouseMove(0, 5000, 4000);
  EXPECT_EQ(ValueRow(f.canvas)[0], "") << "no drag without a press";
  f.canvas.commands.clear();
  f.page->OnMouseDown(1, PointX(10), 4000);
  f.page->OnMouseMove(1, PointX(300), 4000);
  EXPECT_EQ(f.page->Readout().ReadoutIndex(), 300);
  std::vector<float> clearedAt;  // each step clears the area first
  for (const auto& c : f.canvas.OfKind(test::Kind::FillRect)) {
    if (c.x1 == 4200 && c.y1 == 7290)
      clearedAt.push_back(c.x2);
  }
  EXPECT_EQ(clearedAt, (std::vector<float>{11000, 11000}));
}

TEST(MouseReadout, LimitEntryShowsNoReadoutButClearsTheArea) {
  PlotPageFixture f;
  f.Click("cmdLimit2");
  f.canvas.commands.clear();
  f.page->OnMouseDown(1, 5000, 4000);
  f.page->OnMouseMove(1, 5100, 4000);
  ASSERT_EQ(f.canvas.commands.size(), 2u);
  EXPECT_EQ(test::Corners(f.canvas.commands[0]), (std::vector<float>{4200, 7290, 11000, 9000}));
}

// With markers off a release redraws gain and delay but not phase; with markers on, all of them.
TEST(MouseReadout, ReleaseRedrawsThePlotAnywhere) {
  for (const int16_t markers : {0, 1}) {
    PlotPageFixture f;
    f.shared.DelayOn = 1, f.shared.PhaseOn = 1;
    f.record.MarkersOn = markers, f.record.MarkerFreq[1] = 1000;
    f.page->OnMouseDown(1, 5000, 4000);
    f.canvas.commands.clear();
    f.page->OnMouseUp(1, 300, 8900);
    EXPECT_EQ(f.page->Readout().MouseIsDown(), 0);
    EXPECT_EQ(test::Corners(f.canvas.commands[0]), (std::vector<float>{4300, 7290, 11000, 9000}));
    const std::size_t end = f.canvas.commands.size();
    EXPECT_LT(test::FindPrint(f.canvas, "Gain, dB:"), end);
    EXPECT_LT(test::FindPrint(f.canvas, "Delay, s:"), end);
    EXPECT_EQ(test::FindPrint(f.canvas, "Phase:") < end, markers == 1);
  }
}

}  // namespace
}  // namespace kestro
