// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/mouse_readout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

// The values the readout shows under its five headings, in order; "" under one with none.
Names ValueRow(const RecordingCanvas& canvas) {
  Names row;
  for (const char* heading : {"Freq.:", "Gain:", "Phase:", "Delay:", "Gain slope:"}) {
    const std::size_t top = FindPrint(canvas, heading);
    row.emplace_back();
    for (std::size_t i = top + 1; i < canvas.commands.size() && row.back().empty(); ++i) {
      const DrawCommand& c = canvas.commands[i];
      if (c.kind == Kind::Print && c.textX == canvas.commands[top].textX &&
          c.textY > canvas.commands[top].textY)
        row.back() = c.text;
    }
  }
  return row;
}

// x just right of the left end of analysis point i of 0..512 on the box from 2000 to 11000.
float PointX(int i) {
  return 2000.0f + 9000.0f * (static_cast<float>(i) + 0.25f) / 513.0f;
}

// Fifth-order Butterworth at 1 kHz, point i at 100 * 100^(i / 512) Hz: the gain is
// -10 log10(1 + (f / 1 kHz)^10) dB and the stopband slope -6 dB per octave per pole. The slope
// needs three points either side: it is left out for i >= Nints - 2; gains below -120 dB read
// "<-120". The left, right and top edges of the box are strict bounds; below it still counts.
TEST(MouseReadout, ValuesAndSlopeInsideTheBoxAndBelowIt) {
  PlotPageFixture f(5);
  const struct {
    int point;
    float y, freq, gain, slope;  // slope NaN: none
  } cases[] = {{3, 4000, 102.735f, 0, 0},
               {420, 8800, 4371.4f, -64.063f, -30.1f},
               {510, 1001, 9821.7f, -99.22f, NAN},
               {512, 4000, 10000, -100, NAN}};
  for (const auto& c : cases) {
    SCOPED_TRACE("point " + std::to_string(c.point));
    f.canvas.commands.clear();
    f.page->OnMouseDown(1, PointX(c.point), c.y);
    const Names row = ValueRow(f.canvas);
    EXPECT_EQ(row[4].empty(), std::isnan(c.slope));
    EXPECT_NEAR(Read(row[0]), c.freq, c.freq * 2e-4) << row[0];
    EXPECT_NEAR(Read(row[1]), c.gain, 0.02) << row[1];
    if (!std::isnan(c.slope)) {
      EXPECT_NEAR(Read(row[4]), c.slope, 0.15) << row[4];
      EXPECT_TRUE(row[4].ends_with(" dB / octave")) << row[4];
    }
    f.page->OnMouseUp(1, 500, 500);
  }
  f.record.Gain[100] = -120.01f;
  f.canvas.commands.clear();
  f.page->OnMouseDown(1, PointX(100), 4000);
  EXPECT_EQ(ValueRow(f.canvas).at(1), "<-120");
  for (const auto& [x, y] :
       {std::pair{2000.0f, 4000.0f}, {11000.0f, 4000.0f}, {5000.0f, 1000.0f}}) {
    f.page->OnMouseUp(1, 500, 500);
    f.canvas.commands.clear();
    f.page->OnMouseDown(1, x, y);
    EXPECT_EQ(f.canvas.commands.size(), 0u) << x << "," << y;
  }
}

// A release redraws the plot: the phase curve whenever it is on, the marker table when markers
// show.
TEST(MouseReadout, AReleaseRedrawsThePhaseWithOrWithoutMarkers) {
  for (const int16_t markersOn : std::initializer_list<int16_t>{0, 1}) {
    SCOPED_TRACE("MarkersOn " + std::to_string(markersOn));
    PlotPageFixture f(5);
    f.shared.PhaseOn = 1;
    f.record.MarkersOn = markersOn;
    f.record.MarkerFreq[1] = 1000;
    f.page->OnMouseDown(1, PointX(100), 4000);
    f.canvas.commands.clear();
    f.page->OnMouseUp(1, 500, 500);
    EXPECT_TRUE(f.Shows("Phase:", 11450));
    EXPECT_EQ(f.Shows("Freq:", 1200), markersOn == 1);
  }
}

}  // namespace
}  // namespace kestro::test
