#include "plotpage/plot_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/grid_label_filter.h"
#include "plotpage/plot_mapping.h"

namespace kestro {
namespace {

using test::DrawCommand;
using Kind = DrawCommand::Kind;

// --- Mapping ---

struct GainYCase {
  float gain;
  float y;
};

TEST(PlotMapping, GainIsClampedToTheBoxEdges) {
  DesignRecord record;
  record.dBtop = 10;
  record.dBbottom = -50;
  const PlotMapping mapping(record);
  // 60 dB over 6000 units: 100 units per dB, dBtop at the top edge.
  for (const GainYCase c : {GainYCase{10, 1000}, GainYCase{12, 1000}, GainYCase{0, 2000},
                            GainYCase{-3, 2300}, GainYCase{-50, 7000}, GainYCase{-80, 7000},
                            GainYCase{-INFINITY, 7000}, GainYCase{NAN, 7000}}) {
    EXPECT_FLOAT_EQ(mapping.GainY(c.gain), c.y) << c.gain;
  }
}

TEST(PlotMapping, PhaseDelayAndFrequencyAxes) {
  DesignRecord record;
  record.Fstart = 100;
  record.Fstop = 10000;
  record.DelayTop = 0.002f;
  const PlotMapping mapping(record);
  EXPECT_FLOAT_EQ(mapping.X(100), 2000);
  EXPECT_FLOAT_EQ(mapping.X(1000), 6500);  // one of two decades
  EXPECT_FLOAT_EQ(mapping.X(10000), 11000);
  EXPECT_FLOAT_EQ(mapping.X(100000), 15500);  // x is never clamped
  EXPECT_FLOAT_EQ(mapping.PhaseY(180), 1000);
  EXPECT_FLOAT_EQ(mapping.PhaseY(0), 4000);
  EXPECT_FLOAT_EQ(mapping.PhaseY(-90), 5500);
  EXPECT_FLOAT_EQ(mapping.DelayY(0.002f), 1000);
  EXPECT_FLOAT_EQ(mapping.DelayY(0.001f), 4000);
  EXPECT_FLOAT_EQ(mapping.DelayY(0.003f), 1000);
  EXPECT_FLOAT_EQ(mapping.DelayY(-1.0f), 7000);
  EXPECT_FLOAT_EQ(mapping.MarkerDelayY(0.003f), -2000);  // markers are not clamped
}

// --- Frequency labels ---

// A drawing over a hand-made grid, to see which labels DrawXlines prints.
struct GridFixture {
  GridFixture(float fstart, float fstop, const std::vector<float>& grid) {
    record.Fstart = fstart;
    record.Fstop = fstop;
    record.NrGridFreqs = static_cast<int16_t>(grid.size()) - 1;
    std::copy(grid.begin(), grid.end(), record.GridFreq.begin());
  }
  std::vector<std::string> Labels() {
    PlotDrawing drawing(canvas, record, shared);
    drawing.DrawXlines();
    std::vector<std::string> texts;
    for (const DrawCommand& print : canvas.Printed())
      texts.push_back(print.text);
    return texts;
  }
  DesignRecord record;
  PlotShared shared;
  test::RecordingCanvas canvas;
};

// 1, 1.5, 2, 3, ..., 9 times each power of ten from `from` while below `to` * 1.0001.
std::vector<float> GridFrom(float from, float to) {
  std::vector<float> grid;
  for (double decade = 1e-3; decade <= to * 1.0001; decade *= 10) {
    for (double m : {1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0}) {
      const double v = decade * m;
      if (v >= from * 0.9999 && v <= to * 1.0001)
        grid.push_back(static_cast<float>(v));
    }
  }
  return grid;
}

struct ThinningCase {
  const char* name;
  float fstart, fstop;
  std::vector<std::string> labels;
};

class FrequencyLabels : public ::testing::TestWithParam<ThinningCase> {};

TEST_P(FrequencyLabels, AreThinnedBySpan) {
  const ThinningCase& c = GetParam();
  GridFixture fixture(c.fstart, c.fstop, GridFrom(c.fstart, c.fstop));
  EXPECT_EQ(fixture.Labels(), c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, FrequencyLabels,
    ::testing::Values(
        // Exactly one decade is not more than a decade: 1.5, 3, 4, 6 and 8 keep their labels.
        ThinningCase{"one_decade",
                     1000,
                     10000,
                     {" 1K ", " 1.5K ", " 2K ", " 3K ", " 4K ", " 5K ", " 6K ", " 8K ", " 10K "}},
        ThinningCase{"just_over_a_decade", 1000, 10001, {" 1K ", " 2K ", " 5K ", " 10K "}},
        ThinningCase{"three_decades",
                     10,
                     10000,
                     {" 10Hz", " 20Hz", " 50Hz", " 100Hz", " 200Hz", " 500Hz", " 1K ", " 2K ",
                      " 5K ", " 10K "}},
        ThinningCase{
            "more_than_three_decades", 10, 100000, {" 10Hz", " 100Hz", " 1K ", " 10K ", " 100K "}},
        // 9.6 kHz of 1..10 kHz lies in the gap before the end: only the end label follows 8 k.
        ThinningCase{"gap_before_the_end",
                     1000,
                     9700,
                     {" 1K ", " 1.5K ", " 2K ", " 3K ", " 4K ", " 5K ", " 6K ", " 8K "}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrequencyLabels, GapBeforeTheEndAndSpacing) {
  // Positions on a 1..10 kHz axis: 9.6 k sits at 0.982 (in the gap), 9.99 k at 0.9996.
  GridFixture gap(1000, 10000, {1000, 9600, 9990});
  EXPECT_EQ(gap.Labels(), (std::vector<std::string>{" 1K ", " 9.99K "}));
  // 1.05 k is 0.021 of the axis after 1 k: too close.
  GridFixture close(1000, 10000, {1000, 1050, 1100});
  EXPECT_EQ(close.Labels(), (std::vector<std::string>{" 1K ", " 1.1K "}));
}

TEST(FrequencyLabels, AtMostThirteenArePrinted) {
  // Sixteen decades of powers of ten, each far enough from the last.
  std::vector<float> grid;
  for (float f = 0.001f; f < 2e12f; f *= 10.0f)
    grid.push_back(f);
  GridFixture fixture(0.001f, 1e12f, grid);
  const std::vector<std::string> labels = fixture.Labels();
  EXPECT_EQ(labels.size(), 13u);
  EXPECT_EQ(fixture.canvas.OfKind(Kind::Line).size(), grid.size());  // every line is drawn
}

TEST(FrequencyLabels, PlacesAndGridLines) {
  GridFixture fixture(1000, 10000, {1000, 2000, 10000.001f});
  fixture.Labels();
  const auto prints = fixture.canvas.Printed();
  ASSERT_EQ(prints.size(), 3u);
  EXPECT_FLOAT_EQ(prints[0].textX, 1800);  // 200 units left of its line
  EXPECT_FLOAT_EQ(prints[0].textY, 7100);
  EXPECT_NEAR(prints[1].textX, 1800 + 9000 * std::log10(2.0), 0.05);
  const auto lines = fixture.canvas.OfKind(Kind::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NEAR(lines[1].x1, 2000 + 9000 * std::log10(2.0), 0.05);
  EXPECT_FLOAT_EQ(lines[1].y1, 1000);
  EXPECT_FLOAT_EQ(lines[1].y2, 7000);
  EXPECT_EQ(lines[1].colour, (Rgb{102, 102, 102}));
  EXPECT_NEAR(fixture.shared.GridPos[1], std::log10(2.0), 1e-6);
}

TEST(FrequencyLabels, NoGridNoLines) {
  GridFixture fixture(150, 160, {});
  EXPECT_TRUE(fixture.Labels().empty());
  EXPECT_TRUE(fixture.canvas.OfKind(Kind::Line).empty());
}

TEST(GridLabelFilter, LeadingNumber) {
  EXPECT_DOUBLE_EQ(GridLabelFilter::LeadingNumber(" 1.5K "), 1.5);
  EXPECT_DOUBLE_EQ(GridLabelFilter::LeadingNumber(" 150mH"), 150);
  EXPECT_DOUBLE_EQ(GridLabelFilter::LeadingNumber(" 70Hz"), 70);
  EXPECT_DOUBLE_EQ(GridLabelFilter::LeadingNumber("K"), 0);
}

// --- The gain plot ---

struct DrawingFixture : test::PlotTestContext {
  DrawingFixture() : drawing(canvas, record, shared) {}
  PlotDrawing drawing;
};

TEST(PlotGain, DrawsFrameGridLabelsThenTheCurve) {
  DrawingFixture f;
  f.record.NrYintervals = 6;
  f.record.dBbottom = -50;
  f.drawing.PlotGain();
  const auto& commands = f.canvas.commands;
  // Seven label areas cleared first, then the title.
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(commands[i].kind, Kind::FillRect);
    EXPECT_EQ(commands[i].colour, (Rgb{238, 255, 255}));
  }
  EXPECT_EQ(test::FindPrint(f.canvas, "Gain, dB:"), 8u);
  const std::size_t box = test::FindCommand(f.canvas, Kind::Rect);
  EXPECT_EQ(commands[box - 1].kind, Kind::FillRect);
  EXPECT_EQ(commands[box - 1].colour, (Rgb{255, 255, 255}));
  EXPECT_EQ(commands[box].colour, (Rgb{17, 17, 153}));
  EXPECT_FLOAT_EQ(commands[box].x1, 2000);
  EXPECT_FLOAT_EQ(commands[box].y2, 7000);
  // Seven horizontal grid lines, 1000 units apart, in line width 1.
  const std::size_t grid = test::FindCommand(f.canvas, Kind::Line, box);
  EXPECT_EQ(commands[grid - 1].kind, Kind::LineWidth);
  EXPECT_EQ(commands[grid - 1].width, 1);
  for (int i = 0; i <= 6; ++i) {
    const DrawCommand& line = commands[grid + static_cast<std::size_t>(i)];
    EXPECT_EQ(line.kind, Kind::Line);
    EXPECT_FLOAT_EQ(line.y1, 1000.0f + 1000.0f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(line.x2, 11000);
  }
  // The gain labels from dBtop down, each 100 units above its line.
  const char* labels[] = {"10", "0", "-10", "-20", "-30", "-40", "-50"};
  for (int i = 0; i <= 6; ++i) {
    const std::size_t at = test::FindPrint(f.canvas, labels[i]);
    ASSERT_LT(at, commands.size()) << labels[i];
    EXPECT_FLOAT_EQ(commands[at].textY, 900.0f + 1000.0f * static_cast<float>(i));
    // Right end near 1740 at 60 twips per character on a 1920-pixel screen.
    const float width =
        12000.0f / (1920 * 15) * 60 * static_cast<float>(std::string(labels[i]).size());
    EXPECT_FLOAT_EQ(commands[at].textX, 1740 - width);
  }
  // The curve comes last, after the frequency labels, in the gain colour.
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  ASSERT_EQ(curve.size(), static_cast<std::size_t>(f.record.Nints));
  EXPECT_EQ(curve.front().colour, (Rgb{68, 68, 255}));
  EXPECT_GT(test::FindCommand(f.canvas, Kind::LineTo), test::FindPrint(f.canvas, " 10K "));
}

TEST(PlotGain, OneIntervalGivesTwoLabelsAndTheEdgeLines) {
  DrawingFixture f;
  f.record.NrYintervals = 1;
  f.drawing.PlotGain();
  const std::size_t grid =
      test::FindCommand(f.canvas, Kind::Line, test::FindCommand(f.canvas, Kind::Rect));
  const auto& commands = f.canvas.commands;
  EXPECT_FLOAT_EQ(commands[grid].y1, 1000);
  EXPECT_FLOAT_EQ(commands[grid + 1].y1, 7000);
  EXPECT_NE(commands[grid + 2].kind, Kind::Line);
  EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, "10")].textY, 900);
  EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, "-60")].textY, 6900);
}

TEST(PlotGain, CurveStaysInsideTheBox) {
  DrawingFixture f;
  f.record.dBtop = -1;      // the passband lies above the axis
  f.record.dBbottom = -20;  // the stopband below it
  f.drawing.PlotGain();
  const auto start = f.canvas.commands[test::FindCommand(f.canvas, Kind::LineTo) - 1];
  EXPECT_FLOAT_EQ(start.y1, 1000);  // the first point: a zero-length line on the top edge
  EXPECT_FLOAT_EQ(start.y2, 1000);
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  EXPECT_FLOAT_EQ(curve.back().y1, 7000);
  for (const DrawCommand& segment : curve) {
    EXPECT_GE(segment.y1, 1000);
    EXPECT_LE(segment.y1, 7000);
    EXPECT_GE(segment.x1, 2000 - 0.01);
    EXPECT_LE(segment.x1, 11000 + 0.01);
  }
}

TEST(PlotGain, KeepsTheLowestAndHighestGain) {
  DrawingFixture f;
  f.shared.GainMin.fill(1e9f);
  f.shared.GainMax.fill(-1e9f);
  f.drawing.PlotGain();
  const float first = f.record.Gain[100];
  EXPECT_EQ(f.shared.GainMin[100], first);
  EXPECT_EQ(f.shared.GainMax[100], first);
  f.record.Gain[100] = first - 5;
  f.drawing.PlotGain();
  EXPECT_EQ(f.shared.GainMin[100], first - 5);
  EXPECT_EQ(f.shared.GainMax[100], first);
}

TEST(PlotGain, OverlayModeDrawsOnlyTheCurve) {
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

// --- Phase and delay ---

TEST(PlotPhase, NothingWhileOffThenTitleLabelsAndCurve) {
  DrawingFixture f;
  f.drawing.PlotPhase();
  EXPECT_TRUE(f.canvas.commands.empty());
  f.shared.PhaseOn = 1;
  f.record.NrYintervals = 4;
  f.drawing.PlotPhase();
  const auto& commands = f.canvas.commands;
  EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, "Phase:")].textX, 11450);
  const char* labels[] = {"180", "90", "0", "-90", "-180"};
  for (int i = 0; i <= 4; ++i) {
    const DrawCommand& label = commands[test::FindPrint(f.canvas, labels[i])];
    EXPECT_FLOAT_EQ(label.textX, 11500) << labels[i];
    EXPECT_FLOAT_EQ(label.textY, 900.0f + 1500.0f * static_cast<float>(i)) << labels[i];
  }
  EXPECT_EQ(f.canvas.OfKind(Kind::LineTo).front().colour, (Rgb{68, 136, 68}));
}

TEST(PlotDelay, RaisesDelayTopAndLabelsFromTheBottom) {
  DrawingFixture f;
  f.shared.DelayOn = 1;
  f.record.DelayTop = 0;
  f.record.NrYintervals = 2;
  f.drawing.PlotDelay();
  EXPECT_FLOAT_EQ(f.record.DelayTop, 1e-9f);
  const auto& commands = f.canvas.commands;
  EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, "Delay, s:")].textX, 10700);
  const DrawCommand& bottom = commands[test::FindPrint(f.canvas, "0")];
  EXPECT_FLOAT_EQ(bottom.textY, 6900);
  EXPECT_FLOAT_EQ(bottom.textX, 11100);
  EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, "1n")].textY, 900);
  EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, "500p")].textY, 3900);
  // With a 1 ns axis every real delay lies on the top edge.
  for (const DrawCommand& segment : f.canvas.OfKind(Kind::LineTo)) {
    EXPECT_FLOAT_EQ(segment.y1, 1000);
    EXPECT_EQ(segment.colour, (Rgb{255, 68, 68}));
  }
}

TEST(PlotDrawing, ColourSetsAndEnvelope) {
  DrawingFixture f;
  f.drawing.SelectColorSet(3);
  EXPECT_EQ(f.drawing.Colours(), (CurveColours{{0, 0, 255}, {185, 0, 0}, {17, 204, 17}}));
  f.drawing.SelectColorSet(9);
  f.drawing.SelectColorSet(0);
  EXPECT_EQ(f.drawing.Colours().gain, (Rgb{0, 0, 255}));
  f.drawing.SelectColorSet(8);
  EXPECT_EQ(f.drawing.Colours(), (CurveColours{{238, 238, 255}, {255, 221, 221}, {170, 255, 170}}));
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
