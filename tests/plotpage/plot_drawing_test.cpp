#include "plotpage/plot_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/plot_mapping.h"

namespace kestro {
namespace {

using test::DrawCommand;
using test::FindCommand;
using test::FindPrint;
using test::Kind;

TEST(PlotMapping, AxesAndClampingAtTheBoxEdges) {
  DesignRecord record;
  record.dBtop = 10;
  record.dBbottom = -50;
  record.Fstart = 100;
  record.Fstop = 10000;
  record.DelayTop = 0.002f;
  const PlotMapping m(record);
  // 60 dB over 6000 units: 100 units per dB; values beyond the axis and NaN lie on the edges.
  const std::pair<float, float> gains[] = {{12, 1000},  {0, 2000},         {-3, 2300},
                                           {-80, 7000}, {-INFINITY, 7000}, {NAN, 7000}};
  for (const auto& [gain, y] : gains)
    EXPECT_FLOAT_EQ(m.GainY(gain), y) << gain;
  const std::pair<float, float> delays[] = {
      {0.002f, 1000}, {0.001f, 4000}, {0.003f, 1000}, {-1, 7000}};
  for (const auto& [delay, y] : delays)
    EXPECT_FLOAT_EQ(m.DelayY(delay), y) << delay;
  EXPECT_FLOAT_EQ(m.X(100), 2000);
  EXPECT_FLOAT_EQ(m.X(1000), 6500);
  EXPECT_FLOAT_EQ(m.X(100000), 15500);  // x is never clamped
  EXPECT_FLOAT_EQ(m.PhaseY(180), 1000);
  EXPECT_FLOAT_EQ(m.PhaseY(-90), 5500);
  EXPECT_FLOAT_EQ(m.MarkerDelayY(0.003f), -2000);  // markers are not clamped
}

// The frequency labels DrawXlines prints over a hand-made grid, joined by '|'.
std::string Labels(float fstart, float fstop, const std::vector<float>& grid,
                   test::RecordingCanvas& canvas, PlotShared& shared) {
  DesignRecord record;
  record.Fstart = fstart;
  record.Fstop = fstop;
  record.NrGridFreqs = static_cast<int16_t>(grid.size()) - 1;
  std::copy(grid.begin(), grid.end(), record.GridFreq.begin());
  PlotDrawing(canvas, record, shared).DrawXlines();
  std::string texts;
  for (const DrawCommand& print : canvas.Printed())
    texts += (texts.empty() ? "" : "|") + print.text;
  return texts;
}

// 1, 1.5, 2, 3, ..., 9 times each power of ten from `from` up to `to`.
std::vector<float> GridFrom(double from, double to) {
  std::vector<float> grid;
  for (double decade = 1e-3; decade <= to * 1.0001; decade *= 10) {
    for (double m : {1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0}) {
      if (decade * m >= from * 0.9999 && decade * m <= to * 1.0001)
        grid.push_back(static_cast<float>(decade * m));
    }
  }
  return grid;
}

TEST(FrequencyLabels, AreThinnedBySpanGapAndSpacing) {
  const struct {
    float fstart, fstop;
    std::vector<float> grid;  // empty: GridFrom(fstart, fstop)
    const char* labels;
  } cases[] = {
      // Exactly one decade is not more than a decade: 1.5, 3, 4, 6 and 8 keep their labels.
      {1000, 10000, {}, " 1K | 1.5K | 2K | 3K | 4K | 5K | 6K | 8K | 10K "},
      {1000, 10001, {}, " 1K | 2K | 5K | 10K "},
      {10, 10000, {}, " 10Hz| 20Hz| 50Hz| 100Hz| 200Hz| 500Hz| 1K | 2K | 5K | 10K "},
      {10, 100000, {}, " 10Hz| 100Hz| 1K | 10K | 100K "},
      // 9.6 kHz lies in the gap before the end, from 0.95 to 0.999 of the axis.
      {1000, 9700, {}, " 1K | 1.5K | 2K | 3K | 4K | 5K | 6K | 8K "},
      // 8.9 k at 0.9494 is before the gap, 9.4 k and 9.9 k are in it, 9.99 k at 0.9996 after it.
      {1000, 10000, {1000, 8900, 9400, 9900, 9990}, " 1K | 8.9K | 9.99K "},
      {1000, 10000, {1000, 1050, 1100}, " 1K | 1.1K "},  // 0.021 after the last: too close
      {151, 160, {}, ""},
  };
  for (const auto& c : cases) {
    test::RecordingCanvas canvas;
    PlotShared shared;
    const std::vector<float> grid = c.grid.empty() ? GridFrom(c.fstart, c.fstop) : c.grid;
    EXPECT_EQ(Labels(c.fstart, c.fstop, grid, canvas, shared), c.labels) << c.fstop;
    EXPECT_EQ(canvas.OfKind(Kind::Line).size(), grid.size()) << c.fstop;  // every line is drawn
  }
}

TEST(FrequencyLabels, AtMostThirteenAndEveryLineAtItsPlace) {
  std::vector<float> grid;  // sixteen decades of powers of ten, each far enough from the last
  for (float f = 0.001f; f < 2e12f; f *= 10.0f)
    grid.push_back(f);
  test::RecordingCanvas canvas;
  PlotShared shared;
  Labels(0.001f, 1e12f, grid, canvas, shared);
  EXPECT_EQ(canvas.Printed().size(), 13u);
  EXPECT_EQ(canvas.OfKind(Kind::Line).size(), grid.size());

  test::RecordingCanvas places;
  Labels(1000, 10000, {1000, 2000, 10000.001f}, places, shared);
  const auto prints = places.Printed();
  ASSERT_EQ(prints.size(), 3u);
  EXPECT_FLOAT_EQ(prints[0].textX, 1800);  // 200 units left of its line
  EXPECT_FLOAT_EQ(prints[0].textY, 7100);
  EXPECT_NEAR(prints[1].textX, 1800 + 9000 * std::log10(2.0), 0.05);
  const auto lines = places.OfKind(Kind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[1].x1, 2000 + 9000 * std::log10(2.0), 0.05);
  EXPECT_FLOAT_EQ(lines[1].y1, 1000);
  EXPECT_FLOAT_EQ(lines[1].y2, 7000);
  EXPECT_EQ(lines[1].colour, (Rgb{102, 102, 102}));
  EXPECT_NEAR(shared.GridPos[1], std::log10(2.0), 1e-6);

  // Line and label x are worked out in double from the stored position: 2 Hz on 1 Hz..1 kHz.
  test::RecordingCanvas exact;
  Labels(1, 1000, {1, 2, 1000}, exact, shared);
  const double position = shared.GridPos[1];
  EXPECT_EQ(exact.OfKind(Kind::Line).at(1).x1, static_cast<float>(2000.0 + 9000.0 * position));
  EXPECT_EQ(exact.Printed().at(1).textX, static_cast<float>(1800.0 + 9000.0 * position));
}

struct DrawingFixture : test::PlotTestContext {
  DrawingFixture() : drawing(canvas, record, shared) {}
  // The Print of `text`; throws, failing the test, when there is none.
  const DrawCommand& Label(const std::string& text) {
    return canvas.commands.at(FindPrint(canvas, text));
  }
  PlotDrawing drawing;
};

TEST(PlotGain, DrawsFrameGridLabelsThenTheCurve) {
  DrawingFixture f;
  f.record.NrYintervals = 6;
  f.record.dBbottom = -50;
  f.drawing.PlotGain();
  const auto& commands = f.canvas.commands;
  for (std::size_t i = 0; i < 7; ++i) {  // seven label areas cleared first, then the title
    EXPECT_EQ(commands[i].kind, Kind::FillRect);
    EXPECT_EQ(commands[i].colour, (Rgb{238, 255, 255}));
  }
  EXPECT_EQ(FindPrint(f.canvas, "Gain, dB:"), 8u);
  const std::size_t box = FindCommand(f.canvas, Kind::Rect);
  EXPECT_EQ(commands[box - 1].colour, (Rgb{255, 255, 255}));  // filled white, then framed
  EXPECT_EQ(commands[box].colour, (Rgb{17, 17, 153}));
  EXPECT_FLOAT_EQ(commands[box].x1, 2000);
  EXPECT_FLOAT_EQ(commands[box].y2, 7000);
  const std::size_t grid = FindCommand(f.canvas, Kind::Line, box);
  EXPECT_EQ(commands[grid - 1].width, 1);
  const char* labels[] = {"10", "0", "-10", "-20", "-30", "-40", "-50"};
  for (std::size_t i = 0; i <= 6; ++i) {  // grid lines 1000 apart, labels 100 above them
    EXPECT_EQ(commands[grid + i].kind, Kind::Line);
    EXPECT_FLOAT_EQ(commands[grid + i].y1, 1000.0f + 1000.0f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(commands[grid + i].x2, 11000);
    const DrawCommand& label = f.Label(labels[i]);
    EXPECT_FLOAT_EQ(label.textY, 900.0f + 1000.0f * static_cast<float>(i));
    // Right end near 1740 at 60 twips per character on a 1920-pixel screen.
    EXPECT_FLOAT_EQ(label.textX,
                    1740 - 12000.0f / (1920 * 15) * 60 * std::string(labels[i]).size());
  }
  // The curve comes last, after the frequency labels, in the gain colour.
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  ASSERT_EQ(curve.size(), static_cast<std::size_t>(f.record.Nints));
  EXPECT_EQ(curve.front().colour, (Rgb{68, 68, 255}));
  EXPECT_GT(FindCommand(f.canvas, Kind::LineTo), FindPrint(f.canvas, " 10K "));
}

TEST(PlotGain, OneIntervalGivesTwoLabelsAndTheEdgeLines) {
  DrawingFixture f;
  f.record.NrYintervals = 1;
  f.drawing.PlotGain();
  const auto& commands = f.canvas.commands;
  const std::size_t grid = FindCommand(f.canvas, Kind::Line, FindCommand(f.canvas, Kind::Rect));
  EXPECT_FLOAT_EQ(commands[grid].y1, 1000);
  EXPECT_FLOAT_EQ(commands[grid + 1].y1, 7000);
  EXPECT_NE(commands[grid + 2].kind, Kind::Line);
  EXPECT_FLOAT_EQ(f.Label("10").textY, 900);
  EXPECT_FLOAT_EQ(f.Label("-60").textY, 6900);
}

TEST(PlotGain, GridStepIsAddedInDoubleAndKeptInSingle) {
  // Intervals and lines drawn: with 7 the sums pass 7000 by a little, so the bottom line is left
  // out; with 9 the second line is 1666.66663, not the 1666.66675 of a single step.
  const std::pair<int16_t, std::size_t> cases[] = {{7, 7}, {9, 10}, {12, 13}};
  for (const auto& [intervals, count] : cases) {
    DrawingFixture f;
    f.record.NrYintervals = intervals;
    f.drawing.PlotGain();
    const auto& commands = f.canvas.commands;
    std::vector<float> drawn;
    for (std::size_t i = FindCommand(f.canvas, Kind::Line, FindCommand(f.canvas, Kind::Rect));
         i < commands.size() && commands[i].kind == Kind::Line; ++i) {
      drawn.push_back(commands[i].y1);
    }
    std::vector<float> expected;
    for (float y = 1000; y <= 7000; y = static_cast<float>(y + 6000.0 / intervals))
      expected.push_back(y);
    EXPECT_EQ(drawn, expected) << intervals;
    EXPECT_EQ(drawn.size(), count) << intervals;
  }
}

TEST(PlotGain, CurveStaysInsideTheBoxAndExtremesAreKept) {
  DrawingFixture f;
  f.record.dBtop = -1;      // the passband lies above the axis
  f.record.dBbottom = -20;  // the stopband below it
  f.shared.GainMin.fill(1e9f);
  f.shared.GainMax.fill(-1e9f);
  f.drawing.PlotGain();
  const auto start = f.canvas.commands[FindCommand(f.canvas, Kind::LineTo) - 1];
  EXPECT_FLOAT_EQ(start.y1, 1000);  // the first point: a zero-length line on the top edge
  EXPECT_FLOAT_EQ(start.y2, 1000);
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  EXPECT_FLOAT_EQ(curve.back().y1, 7000);
  for (const DrawCommand& segment : curve) {
    EXPECT_TRUE(segment.y1 >= 1000 && segment.y1 <= 7000) << segment.y1;
    EXPECT_TRUE(segment.x1 >= 2000 - 0.01 && segment.x1 <= 11000 + 0.01) << segment.x1;
  }
  const float first = f.record.Gain[100];
  EXPECT_EQ(f.shared.GainMin[100], first);
  EXPECT_EQ(f.shared.GainMax[100], first);
  f.record.Gain[100] = first - 5;
  f.drawing.PlotGain();
  EXPECT_EQ(f.shared.GainMin[100], first - 5);
  EXPECT_EQ(f.shared.GainMax[100], first);
}

TEST(PlotDrawing, OverlayModeDrawsOnlyTheCurves) {
  DrawingFixture f;
  f.shared.PhaseOn = 1;
  f.shared.DelayOn = 1;
  f.drawing.SetOverlayMode(true);
  f.drawing.PlotGain();
  f.drawing.PlotPhase();
  f.drawing.PlotDelay();
  EXPECT_TRUE(f.canvas.Printed().empty());
  EXPECT_TRUE(f.canvas.OfKind(Kind::FillRect).empty());
  EXPECT_TRUE(f.canvas.OfKind(Kind::Rect).empty());
  EXPECT_EQ(f.canvas.OfKind(Kind::LineTo).size(), 3u * static_cast<std::size_t>(f.record.Nints));
}

TEST(PlotPhaseAndDelay, NothingWhileOffThenTitleLabelsAndCurve) {
  DrawingFixture f;
  f.drawing.PlotPhase();
  EXPECT_TRUE(f.canvas.commands.empty());
  f.shared.PhaseOn = 1;
  f.record.NrYintervals = 4;
  f.drawing.PlotPhase();
  EXPECT_FLOAT_EQ(f.Label("Phase:").textX, 11450);
  const char* labels[] = {"180", "90", "0", "-90", "-180"};
  for (int i = 0; i <= 4; ++i) {
    EXPECT_FLOAT_EQ(f.Label(labels[i]).textX, 11500) << labels[i];
    EXPECT_FLOAT_EQ(f.Label(labels[i]).textY, 900.0f + 1500.0f * static_cast<float>(i));
  }
  EXPECT_EQ(f.canvas.OfKind(Kind::LineTo).front().colour, (Rgb{68, 136, 68}));
  // The delay axis is raised to 1 ns at least and labelled from the bottom.
  f.shared.PhaseOn = 0;
  f.shared.DelayOn = 1;
  f.canvas.commands.clear();
  f.record.DelayTop = 0;
  f.record.NrYintervals = 2;
  f.drawing.PlotDelay();
  EXPECT_FLOAT_EQ(f.record.DelayTop, 1e-9f);
  EXPECT_FLOAT_EQ(f.Label("Delay, s:").textX, 10700);
  EXPECT_FLOAT_EQ(f.Label("0").textY, 6900);
  EXPECT_FLOAT_EQ(f.Label("0").textX, 11100);
  EXPECT_FLOAT_EQ(f.Label("1n").textY, 900);
  EXPECT_FLOAT_EQ(f.Label("500p").textY, 3900);
  for (const DrawCommand& segment : f.canvas.OfKind(Kind::LineTo)) {
    EXPECT_FLOAT_EQ(segment.y1, 1000);  // with a 1 ns axis every real delay is on the top edge
    EXPECT_EQ(segment.colour, (Rgb{255, 68, 68}));
  }
}

TEST(PlotDrawing, ColourSetsAndEnvelope) {
  DrawingFixture f;
  const CurveColours third{{0, 0, 255}, {185, 0, 0}, {17, 204, 17}};
  const CurveColours eighth{{238, 238, 255}, {255, 221, 221}, {170, 255, 170}};
  f.drawing.SelectColorSet(3);
  EXPECT_EQ(f.drawing.Colours(), third);
  f.drawing.SelectColorSet(8);
  EXPECT_EQ(f.drawing.Colours(), eighth);
  f.drawing.SelectColorSet(9);  // no such sets: the colours stay
  f.drawing.SelectColorSet(0);
  EXPECT_EQ(f.drawing.Colours(), eighth);
  f.drawing.ResetColours();
  EXPECT_EQ(f.drawing.Colours(), (CurveColours{{68, 68, 255}, {255, 68, 68}, {68, 136, 68}}));
  f.drawing.PlotExtremes();
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  const auto n = static_cast<std::size_t>(f.record.Nints);
  ASSERT_EQ(curve.size(), 4 * n);
  EXPECT_EQ(curve[0].colour, (Rgb{136, 204, 255}));
  EXPECT_EQ(curve[2 * n].colour, (Rgb{136, 17, 17}));
}

}  // namespace
}  // namespace kestro
