#include "plotpage/mouse_readout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"

namespace kestro {
namespace {

using test::Names;
using test::PlotPageFixture;

// The texts of the value row (the lowest row printed right of the mouse hint), left to right.
Names ValueRow(const test::RecordingCanvas& canvas) {
  float rowY = 0;
  for (const auto& c : canvas.Printed())
    rowY = c.textX >= 4500 ? std::max(rowY, c.textY) : rowY;
  std::vector<std::pair<float, std::string>> cells;
  for (const auto& c : canvas.Printed()) {
    if (c.textY == rowY && c.textX >= 4500)
      cells.emplace_back(c.textX, c.text);
  }
  std::sort(cells.begin(), cells.end());
  Names row;
  for (const auto& cell : cells)
    row.push_back(cell.second);
  return row;
}

// x just right of the left end of analysis point i of 0..512 on the box from 2000 to 11000.
float PointX(int i) {
  return 2000.0f + 9000.0f * (static_cast<float>(i) + 0.25f) / 513.0f;
}

// Fifth-order Butterworth at 1 kHz, point i at 100 * 100^(i / 512) Hz: the gain is
// -10 log10(1 + (f / 1 kHz)^10) dB and the stopband slope -6 dB per octave per pole. The slope
// is left out for i < 3 and i >= Nints - 2; gains below -120 dB read "<-120".
TEST(MouseReadout, ValuesAndSlopeAtBothEndsAndInTheStopband) {
  PlotPageFixture f(5);
  const struct {
    int point;
    float freq, gain, slope;  // slope NaN: none
  } cases[] = {{0, 100, 0, NAN},
               {2, 101.815f, 0, NAN},
               {3, 102.735f, 0, 0},
               {420, 4371.4f, -64.063f, -30.1f},
               {510, 9821.7f, -99.22f, NAN},
               {512, 10000, -100, NAN}};
  for (const auto& c : cases) {
    f.canvas.commands.clear();
    f.page->OnMouseDown(1, PointX(c.point), 4000);
    const Names row = ValueRow(f.canvas);
    ASSERT_EQ(row.size(), std::isnan(c.slope) ? 4u : 5u) << c.point;
    EXPECT_NEAR(test::Read(row[0]), c.freq, c.freq * 2e-4) << c.point << " " << row[0];
    EXPECT_NEAR(test::Read(row[1]), c.gain, 0.02) << c.point << " " << row[1];
    if (!std::isnan(c.slope)) {
      EXPECT_NEAR(test::Read(row[4]), c.slope, 0.15) << c.point << " " << row[4];
      EXPECT_EQ(row[4].substr(row[4].size() - 12), " dB / octave");
    }
    f.page->OnMouseUp(1, 500, 500);
  }
  f.record.Gain[100] = -120.01f, f.record.Gain[101] = -120;
  f.canvas.commands.clear();
  f.page->OnMouseDown(1, PointX(100), 4000);
  EXPECT_EQ(ValueRow(f.canvas).at(1), "<-120");
  f.canvas.commands.clear();
  f.page->OnMouseMove(1, PointX(101), 4000);  // a drag follows the pointer
  EXPECT_EQ(ValueRow(f.canvas).at(1), "-120 ");
}

// The left, right and top edges of the box are strict bounds; below it still counts; in limit
// entry a press shows no readout.
TEST(MouseReadout, PressBoundsAndLimitEntry) {
  for (const auto& [x, y, reads] : {std::tuple{2000.0f, 4000.0f, false},
                                    {11000.0f, 4000.0f, false},
                                    {5000.0f, 1000.0f, false},
                                    {5000.0f, 8800.0f, true},
                                    {10999.0f, 1001.0f, true}}) {
    PlotPageFixture f;
    f.canvas.commands.clear();
    f.page->OnMouseDown(1, x, y);
    EXPECT_EQ(ValueRow(f.canvas).size() >= 4, reads) << x << "," << y;
  }
  PlotPageFixture f;
  f.Click("cmdLimit2");
  f.page->OnMouseDown(1, 5000, 4000);
  EXPECT_EQ(f.canvas.Printed().size(), 0u);
}

// With markers off a release redraws gain and delay but not phase; with markers on, all of them.
TEST(MouseReadout, ReleaseRedrawsThePlotAnywhere) {
  for (const int16_t markers : {int16_t{0}, int16_t{1}}) {
    PlotPageFixture f;
    f.shared.DelayOn = 1, f.shared.PhaseOn = 1;
    f.record.MarkersOn = markers, f.record.MarkerFreq[1] = 1000;
    f.page->OnMouseDown(1, 5000, 4000);
    f.canvas.commands.clear();
    f.page->OnMouseUp(1, 300, 8900);
    EXPECT_EQ(f.page->Readout().MouseIsDown(), 0);
    const std::size_t end = f.canvas.commands.size();
    EXPECT_LT(test::FindPrint(f.canvas, "Gain, dB:"), end);
    EXPECT_LT(test::FindPrint(f.canvas, "Delay, s:"), end);
    EXPECT_EQ(test::FindPrint(f.canvas, "Phase:") < end, markers == 1);
  }
}

}  // namespace
}  // namespace kestro
