// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plot_test_context.h"

namespace kestro::test {
namespace {

constexpr float kBoxTop = 1000, kBoxBottom = 7000, kBoxLeft = 2000, kBoxRight = 11000;

struct DrawingFixture : PlotTestContext {
  DrawingFixture() : drawing(canvas, record, shared) {}
  PlotDrawing drawing;
};

// The frequency labels DrawXlines prints, each under the box and right of the one before, over
// the given grid or else the one the analysis computes for the span; every grid line is drawn.
Names FrequencyLabels(float fstart, float fstop, const std::vector<float>& grid = {}) {
  DesignRecord record;
  record.Fstart = fstart;
  record.Fstop = fstop;
  ComputeGridFreqs(record);
  if (!grid.empty()) {
    record.NrGridFreqs = static_cast<int16_t>(grid.size() - 1);
    std::copy(grid.begin(), grid.end(), record.GridFreq.begin());
  }
  RecordingCanvas canvas;
  PlotShared shared;
  PlotDrawing(canvas, record, shared).DrawXlines();
  EXPECT_EQ(canvas.OfKind(Kind::Line).size(), static_cast<std::size_t>(record.NrGridFreqs + 1));
  Names texts;
  for (const DrawCommand& print : canvas.Printed()) {
    EXPECT_GT(print.textY, kBoxBottom) << print.text;
    EXPECT_TRUE(texts.empty() || print.textX > canvas.Printed()[texts.size() - 1].textX);
    texts.push_back(print.text);
  }
  return texts;
}

// Labels are thinned by span, by the gap before the end of the axis (0.95 to 0.999 of it) and by
// their spacing, and there are never more than thirteen.
TEST(PlotDrawing, FrequencyLabelsAreThinnedBySpanGapAndSpacing) {
  // Exactly one decade is not more than a decade: 1.5, 3, 4, 6 and 8 keep their labels.
  EXPECT_EQ(FrequencyLabels(1000, 10000),
            (Names{" 1K ", " 1.5K ", " 2K ", " 3K ", " 4K ", " 5K ", " 6K ", " 8K ", " 10K "}));
  EXPECT_EQ(FrequencyLabels(1000, 10001), (Names{" 1K ", " 2K ", " 5K ", " 10K "}));
  EXPECT_EQ(FrequencyLabels(10, 100000), (Names{" 10Hz", " 100Hz", " 1K ", " 10K ", " 100K "}));
  // 8.9 k at 0.9494 is before the gap, 9.4 k and 9.9 k are in it, 9.99 k at 0.9996 after it.
  EXPECT_EQ(FrequencyLabels(1000, 10000, {1000, 8900, 9400, 9900, 9990}),
            (Names{" 1K ", " 8.9K ", " 9.99K "}));
  EXPECT_EQ(FrequencyLabels(1000, 10000, {1000, 1050, 1100}), (Names{" 1K ", " 1.1K "}));
  std::vector<float> decades;  // sixteen decades of powers of ten, each far enough from the last
  for (float f = 0.001f; f < 2e12f; f *= 10.0f)
    decades.push_back(f);
  EXPECT_EQ(FrequencyLabels(0.001f, 1e12f, decades).size(), 13u);
}

// The gain labels read down the axis left of the box, each next to its grid line. The curve, in
// the gain colour, has a segment for every interval inside the box: gains beyond the axis, NaN
// and -inf included, stay on its edges.
TEST(PlotDrawing, GainAxisLabelsThenTheCurveInsideTheBox) {
  DrawingFixture f;
  f.record.NrYintervals = 6;
  f.record.dBbottom = -50;
  f.record.Gain[1] = 20;
  f.record.Gain[200] = NAN;
  f.record.Gain[201] = -INFINITY;
  f.drawing.PlotGain();
  std::vector<float> gridY;
  for (const DrawCommand& line : f.canvas.OfKind(Kind::Line)) {
    if (line.colour == Rgb{102, 102, 102} && line.y1 == line.y2)
      gridY.push_back(line.y1);
  }
  const Names labels = {"10", "0", "-10", "-20", "-30", "-40", "-50"};
  ASSERT_EQ(gridY.size(), labels.size());
  for (std::size_t i = 0; i < labels.size(); ++i) {
    EXPECT_LT(f.PrintOf(labels[i]).textX, kBoxLeft) << labels[i];
    EXPECT_NEAR(f.PrintOf(labels[i]).textY, gridY[i], 150) << labels[i];
  }
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  ASSERT_EQ(curve.size(), static_cast<std::size_t>(f.record.Nints));
  EXPECT_EQ(curve.front().colour, (Rgb{68, 68, 255}));
  for (const DrawCommand& segment : curve) {
    EXPECT_TRUE(segment.y1 >= kBoxTop && segment.y1 <= kBoxBottom) << segment.y1;
    EXPECT_TRUE(segment.x1 >= kBoxLeft - 0.01 && segment.x1 <= kBoxRight + 0.01) << segment.x1;
  }
}

// Before the box is drawn, the page background is laid from the frame outwards on the right and
// below, where wide lines on the frame stray: no strip beside the frame is left uncleared.
TEST(PlotDrawing, RedrawClearsRightUpToTheFrameAndBelowIt) {
  DrawingFixture f;
  f.drawing.PlotGain();
  const auto fills = f.canvas.OfKind(Kind::FillRect);
  const auto cleared = [&fills](float x, float y) {
    return std::ranges::any_of(fills, [x, y](const DrawCommand& c) {
      return c.colour == Rgb{238, 255, 255} && x >= c.x1 && x <= c.x2 && y >= c.y1 && y <= c.y2;
    });
  };
  for (const float step : {0.0f, 5.0f, 14.0f}) {
    for (const float along : {0.25f, 0.5f, 0.99f}) {
      SCOPED_TRACE(std::to_string(step) + " out, " + std::to_string(along) + " along");
      EXPECT_TRUE(cleared(kBoxRight + step, kBoxTop + along * (kBoxBottom - kBoxTop)));
      EXPECT_TRUE(cleared(kBoxLeft + along * (kBoxRight - kBoxLeft), kBoxBottom + step));
    }
  }
}

// Phase labels read down from 180 degrees, delay labels up from 0 s on an axis of 1 ns at least;
// the two columns and their titles never overlap each other and end on the page.
TEST(PlotDrawing, PhaseAndDelayColumnsNothingWhileOff) {
  DrawingFixture f;
  f.drawing.PlotPhase();
  f.drawing.PlotDelay();
  EXPECT_TRUE(f.canvas.commands.empty());
  f.shared.PhaseOn = f.shared.DelayOn = 1;
  f.record.NrYintervals = 4;
  f.record.DelayTop = 0;
  f.drawing.PlotPhase();
  f.drawing.PlotDelay();
  EXPECT_FLOAT_EQ(f.record.DelayTop, 1e-9f);
  EXPECT_LT(f.PrintOf("180").textY, f.PrintOf("-180").textY);
  EXPECT_LT(f.PrintOf("1n").textY, f.PrintOf("250p").textY);
  const auto prints = f.canvas.Printed();
  for (const DrawCommand& a : prints) {
    EXPECT_LE(a.textX + a.maxWidth, 12000) << a.text;
    for (const DrawCommand& b : prints) {
      if (a.textX < b.textX && a.textY == b.textY && a.textY < kBoxBottom) {
        EXPECT_LE(a.textX + a.maxWidth, b.textX) << a.text << " / " << b.text;
      }
    }
  }
}

}  // namespace
}  // namespace kestro::test
