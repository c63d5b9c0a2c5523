#include "plotpage/plot_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/marker_overlay.h"
#include "plotpage/plot_mapping.h"

namespace kestro {
namespace {

using test::DrawCommand;
using test::FindCommand;
using test::FindPrint;
using test::Kind;
using test::Names;
using Floats = std::vector<float>;

struct DrawingFixture : test::PlotTestContext {
  DrawingFixture() : drawing(canvas, record, shared) {}
  // The Print of `text`; throws, failing the test, when there is none.
  const DrawCommand& Label(const std::string& text) {
    return canvas.commands.at(FindPrint(canvas, text));
  }
  PlotDrawing drawing;
};

TEST(PlotMapping, AxesAndClampingAtTheBoxEdges) {
  DrawingFixture f;  // +10..-60 dB, 100 Hz..10 kHz, 2 ms
  const PlotMapping m(f.record);
  const auto map = [&m](float (PlotMapping::*y)(float) const, Floats values) {
    for (float& v : values)
      v = (m.*y)(v);
    return values;
  };
  // Values beyond the axis and NaN lie on the edges; neither x nor the markers are clamped.
  EXPECT_EQ(map(&PlotMapping::GainY, {10, -25, 12, -80, -INFINITY, NAN}),
            (Floats{1000, 4000, 1000, 7000, 7000, 7000}));
  EXPECT_EQ(map(&PlotMapping::DelayY, {0.002f, 0.001f, 0.003f, -1}),
            (Floats{1000, 4000, 1000, 7000}));
  EXPECT_EQ(map(&PlotMapping::PhaseY, {180, -90}), (Floats{1000, 5500}));
  EXPECT_EQ(map(&PlotMapping::X, {100, 1000, 100000}), (Floats{2000, 6500, 15500}));
  EXPECT_FLOAT_EQ(m.MarkerDelayY(0.003f), -2000);
}

// The frequency labels DrawXlines prints over a hand-made grid, joined by '|'.
std::string Labels(float fstart, float fstop, const Floats& grid, test::RecordingCanvas& canvas,
                   PlotShared& shared) {
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

TEST(FrequencyLabels, AreThinnedBySpanGapAndSpacing) {
  const struct {
    float fstart, fstop;
    Floats grid;  // empty: 1, 1.5, 2, 3, ..., 9 times each power of ten in the span
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
  for (auto c : cases) {
    const bool byHand = !c.grid.empty();
    for (double decade = 1e-3; !byHand && decade <= c.fstop * 1.0001; decade *= 10) {
      for (double m : {1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0}) {
        if (decade * m >= c.fstart * 0.9999 && decade * m <= c.fstop * 1.0001)
          c.grid.push_back(static_cast<float>(decade * m));
      }
    }
    test::RecordingCanvas canvas;
    PlotShared shared;
    EXPECT_EQ(Labels(c.fstart, c.fstop, c.grid, canvas, shared), c.labels) << c.fstop;
    EXPECT_EQ(canvas.OfKind(Kind::Line).size(), c.grid.size()) << c.fstop;  // every line drawn
  }
}

TEST(FrequencyLabels, AtMostThirteenAndEveryLineAtItsPlace) {
  Floats grid;  // sixteen decades of powers of ten, each far enough from the last
  for (float f = 0.001f; f < 2e12f; f *= 10.0f)
    grid.push_back(f);
  test::RecordingCanvas canvas;
  PlotShared shared;
  Labels(0.001f, 1e12f, grid, canvas, shared);
  EXPECT_EQ(canvas.Printed().size(), 13u);
  EXPECT_EQ(canvas.OfKind(Kind::Line).size(), grid.size());
  // 2 Hz on 1 Hz..1 kHz: line and label x are worked out in double from the stored position,
  // the label 200 units left of its line and under the box, the line grey over the box height.
  test::RecordingCanvas places;
  Labels(1, 1000, {1, 2, 1000}, places, shared);
  const double position = shared.GridPos[1];
  EXPECT_NEAR(position, std::log10(2.0) / 3, 1e-6);
  const DrawCommand line = places.OfKind(Kind::Line).at(1), label = places.Printed().at(1);
  EXPECT_EQ((Floats{line.x1, line.y1, line.y2, label.textX, label.textY}),
            (Floats{static_cast<float>(2000.0 + 9000.0 * position), 1000, 7000,
                    static_cast<float>(1800.0 + 9000.0 * position), 7100}));
  EXPECT_EQ(line.colour, (Rgb{102, 102, 102}));
}

TEST(PlotGain, DrawsFrameGridLabelsThenTheCurve) {
  DrawingFixture f;
  f.record.NrYintervals = 6;
  f.record.dBbottom = -50;
  f.drawing.PlotGain();
  const auto& commands = f.canvas.commands;
  for (std::size_t i = 0; i < 7; ++i)  // seven label areas cleared first, then the title
    EXPECT_EQ(std::tie(commands[i].kind, commands[i].colour),
              std::make_tuple(Kind::FillRect, Rgb{238, 255, 255}));
  EXPECT_EQ(FindPrint(f.canvas, "Gain, dB:"), 8u);
  const std::size_t box = FindCommand(f.canvas, Kind::Rect);
  EXPECT_EQ(commands[box - 1].colour, (Rgb{255, 255, 255}));  // filled white, then framed
  EXPECT_EQ(commands[box].colour, (Rgb{17, 17, 153}));
  EXPECT_EQ(test::Corners(commands[box]), (Floats{2000, 1000, 11000, 7000}));
  EXPECT_EQ(commands[FindCommand(f.canvas, Kind::Line, box) - 1].width, 1);
  const std::string labels[] = {"10", "0", "-10", "-20", "-30", "-40", "-50"};
  for (std::size_t i = 0; i <= 6; ++i) {  // 100 above their lines, right end near 1740
    EXPECT_FLOAT_EQ(f.Label(labels[i]).textY, 900.0f + 1000.0f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(f.Label(labels[i]).textX,  // 60 twips a character on 1920 pixels
                    1740 - 12000.0f / (1920 * 15) * 60 * static_cast<float>(labels[i].size()));
  }
  // The curve comes last, after the frequency labels, in the gain colour.
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  ASSERT_EQ(curve.size(), static_cast<std::size_t>(f.record.Nints));
  EXPECT_EQ(curve.front().colour, (Rgb{68, 68, 255}));
  EXPECT_GT(FindCommand(f.canvas, Kind::LineTo), FindPrint(f.canvas, " 10K "));
}

TEST(PlotGain, GridStepIsAddedInDoubleAndKeptInSingle) {
  // Intervals and lines drawn: with 7 the sums pass 7000 by a little, so the bottom line is left
  // out; with 9 the second line is 1666.66663, not the 1666.66675 of a single step.
  const std::pair<int16_t, std::size_t> cases[] = {{1, 2}, {6, 7}, {7, 7}, {9, 10}, {12, 13}};
  for (const auto& [intervals, count] : cases) {
    DrawingFixture f;
    f.record.NrYintervals = intervals;
    f.drawing.PlotGain();
    const auto& commands = f.canvas.commands;
    Floats drawn, expected;
    for (std::size_t i = FindCommand(f.canvas, Kind::Line, FindCommand(f.canvas, Kind::Rect));
         i < commands.size() && commands[i].kind == Kind::Line; ++i) {
      EXPECT_FLOAT_EQ(commands[i].x2, 11000);
      drawn.push_back(commands[i].y1);
    }
    for (float y = 1000; y <= 7000; y = static_cast<float>(y + 6000.0 / intervals))
      expected.push_back(y);
    EXPECT_EQ(drawn, expected) << intervals;
    EXPECT_EQ(expected.size(), count) << intervals;
  }
  DrawingFixture one;  // one interval: two labels, at the edges
  one.record.NrYintervals = 1;
  one.drawing.PlotGain();
  EXPECT_EQ((Floats{one.Label("10").textY, one.Label("-60").textY}), (Floats{900, 6900}));
}

TEST(PlotGain, CurveStaysInsideTheBoxAndExtremesAreKept) {
  DrawingFixture f;
  f.record.dBtop = -1;      // the passband lies above the axis
  f.record.dBbottom = -20;  // the stopband below it
  f.shared.GainMin.fill(1e9f);
  f.shared.GainMax.fill(-1e9f);
  f.drawing.PlotGain();
  // The first point: a zero-length line on the top edge.
  const auto start = f.canvas.commands[FindCommand(f.canvas, Kind::LineTo) - 1];
  EXPECT_EQ((Floats{start.y1, start.y2}), (Floats{1000, 1000}));
  const auto curve = f.canvas.OfKind(Kind::LineTo);
  EXPECT_FLOAT_EQ(curve.back().y1, 7000);
  for (const DrawCommand& segment : curve) {
    EXPECT_TRUE(segment.y1 >= 1000 && segment.y1 <= 7000) << segment.y1;
    EXPECT_TRUE(segment.x1 >= 2000 - 0.01 && segment.x1 <= 11000 + 0.01) << segment.x1;
  }
  const float first = f.record.Gain[100];
  EXPECT_EQ((Floats{f.shared.GainMin[100], f.shared.GainMax[100]}), (Floats{first, first}));
  f.record.Gain[100] = first - 5;
  f.drawing.PlotGain();
  EXPECT_EQ((Floats{f.shared.GainMin[100], f.shared.GainMax[100]}), (Floats{first - 5, first}));
}

TEST(PlotDrawing, OverlayModeDrawsOnlyTheCurves) {
  DrawingFixture f;
  f.shared.PhaseOn = 1;
  f.shared.DelayOn = 1;
  f.drawing.SetOverlayMode(true);
  f.drawing.PlotGain();
  f.drawing.PlotPhase();
  f.drawing.PlotDelay();
  const auto n = static_cast<std::size_t>(f.record.Nints);
  EXPECT_EQ(f.canvas.OfKind(Kind::LineTo).size(), 3 * n);
  EXPECT_EQ(f.canvas.Printed().size() + f.canvas.OfKind(Kind::FillRect).size() +
                f.canvas.OfKind(Kind::Rect).size(),
            0u);
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
    EXPECT_EQ((Floats{f.Label(labels[i]).textX, f.Label(labels[i]).textY}),
              (Floats{11500, 900.0f + 1500.0f * static_cast<float>(i)}));
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
  EXPECT_EQ((Floats{f.Label("Delay, s:").textX, f.Label("0").textX, f.Label("0").textY,
                    f.Label("500p").textY, f.Label("1n").textY}),
            (Floats{10700, 11100, 6900, 3900, 900}));
  for (const DrawCommand& segment : f.canvas.OfKind(Kind::LineTo)) {
    // With a 1 ns axis every real delay is on the top edge.
    EXPECT_EQ(std::tie(segment.y1, segment.colour), std::make_tuple(1000.0f, Rgb{255, 68, 68}));
  }
  // Titles and labels of both columns are fitted to end before the next column (or the page).
  const std::map<float, float> nextColumn{
      {10700, 11450}, {11100, 11500}, {11450, 12000}, {11500, 12000}};
  f.shared.PhaseOn = 1;
  f.drawing.PlotPhase();
  for (const DrawCommand& label : f.canvas.Printed()) {
    const bool column = label.textY != 7100;  // not a frequency label
    EXPECT_EQ(label.maxWidth > 0, column) << label.text;
    if (column) {
      EXPECT_LE(label.textX + label.maxWidth, nextColumn.at(label.textX)) << label.text;
    }
  }
}

TEST(PlotDrawing, ColourSetsAndEnvelope) {
  DrawingFixture f;
  const CurveColours eighth{{238, 238, 255}, {255, 221, 221}, {170, 255, 170}};
  f.drawing.SelectColorSet(3);
  EXPECT_EQ(f.drawing.Colours(), (CurveColours{{0, 0, 255}, {185, 0, 0}, {17, 204, 17}}));
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
  EXPECT_EQ((std::vector<Rgb>{curve[0].colour, curve[2 * n].colour}),
            (std::vector<Rgb>{{136, 204, 255}, {136, 17, 17}}));
}

constexpr double kTwoPi = 6.283185307179586;

// Third-order Butterworth at 1 kHz: at the corner -3.01 dB, -135 degrees and a group delay of
// 2.5 / (2 pi 1000) s; at sqrt(2) kHz the phase passes -180 degrees with a delay of
// (4/3) / (2 pi 1000) s.
struct MarkerFixture : test::PlotTestContext {
  MarkerFixture()
      : PlotTestContext(3), drawing(canvas, record, shared), markers(drawing, record, shared) {
    record.MarkersOn = 1;
  }
  void Plot() {
    canvas.commands.clear();
    markers.PlotMarkerGain();
    markers.PlotMarkerDelay();
  }
  // The text printed on row k of the table in column x.
  std::string Cell(int k, float x) const {
    for (const DrawCommand& print : canvas.Printed()) {
      if (print.textY == 7300.0f + 150.0f * static_cast<float>(k) && print.textX == x)
        return print.text;
    }
    return "<none>";
  }
  double Number(int k, float x) const { return std::stod(Cell(k, x)); }
  // The symbols drawn: the zero-length lines in `colour`, by default the outline colour.
  std::vector<DrawCommand> Symbols(Rgb colour = {17, 17, 17}) const {
    std::vector<DrawCommand> symbols = canvas.OfKind(Kind::Line);
    std::erase_if(symbols, [colour](const DrawCommand& c) { return !(c.colour == colour); });
    return symbols;
  }
  PlotDrawing drawing;
  MarkerOverlay markers;
};

TEST(MarkerOverlay, GainSymbolAndRowAtTheCorner) {
  MarkerFixture f;
  f.record.MarkerFreq[1] = 1000;
  f.shared.DelayOn = 1;
  f.record.MarkersOn = 0;
  f.Plot();
  EXPECT_TRUE(f.canvas.commands.empty());  // nothing while markers are off
  f.record.MarkersOn = 1;
  f.shared.DelayOn = 0;
  f.Plot();
  const auto& commands = f.canvas.commands;
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(std::tie(commands[0].kind, commands[0].x2, commands[0].y2),  // the data area first
            std::make_tuple(Kind::FillRect, 4200.0f, 9800.0f));
  // Symbol on the gain curve: x at 1 kHz of 100 Hz..10 kHz, y at -3.01 dB of +10..-60 dB.
  const auto symbols = f.Symbols();
  ASSERT_EQ(symbols.size(), 1u);
  EXPECT_NEAR(symbols[0].x1, 6500, 0.1);
  EXPECT_NEAR(symbols[0].y1, 1000 + 6000 * 13.0103 / 70, 0.5);
  const std::size_t outline = test::FindCommand(f.canvas, Kind::Line);
  EXPECT_EQ((std::vector<int>{commands[outline - 1].width, commands[outline + 1].width,
                              commands[outline + 3].width}),
            (std::vector<int>{18, 16, 1}));
  EXPECT_EQ(commands[outline + 2].colour, (Rgb{221, 255, 255}));
  const DrawCommand& number = commands.at(FindPrint(f.canvas, "1"));
  EXPECT_NEAR(number.textX, symbols[0].x1 - 45, 0.01);
  EXPECT_NEAR(number.textY, symbols[0].y1 - 78, 0.01);
  // The row: number, frequency, gain, phase as FormatNum writes it; no delay while it is off.
  EXPECT_EQ((Names{f.Cell(1, 1000), f.Cell(1, 1200), f.Cell(1, 3400)}),
            (Names{" 1", " 1000", "<none>"}));
  EXPECT_NEAR(f.Number(1, 1800), -3.01, 0.005);
  EXPECT_NEAR(f.Number(1, 2600), -135.0, 0.05);
  EXPECT_EQ(f.Cell(1, 2600).back(), ' ');
  for (const char* heading : {"#:", "Freq:", "Gain:", "Phase:", "Delay:"})
    EXPECT_FLOAT_EQ(commands.at(FindPrint(f.canvas, heading)).textY, 7300) << heading;
}

TEST(MarkerOverlay, RowsOfMarkersOutsideTheBoxAndAboveZeroDecibels) {
  MarkerFixture f;
  f.record.dBbottom = -40;
  f.record.MarkerFreq[1] = 50;    // below Fstart
  f.record.MarkerFreq[2] = 5000;  // -41.9 dB, under the axis
  f.record.MarkerFreq[3] = -100;  // no marker
  f.record.MarkerFreq[4] = 2000;
  f.shared.MarkerDelay[4] = 1.5e-4f;  // left by an earlier delay pass
  f.Plot();
  EXPECT_EQ(f.Symbols().size(), 1u);  // only marker 4 lies inside the box
  EXPECT_EQ((Names{f.Cell(1, 1200), f.Cell(3, 1000), f.Cell(4, 3400)}),
            (Names{" 50", "<none>", "150u"}));
  EXPECT_NEAR(f.Number(2, 1800), -41.9, 0.05);
  // A lone stage with a Q of 5 peaks above 0 dB below its corner: the gain gets a leading blank.
  f.record.Order = 2;
  f.record.R[1] = {0, 0, 10000, 10000, 1e-5f, 1};
  f.record.C[1] = {0, 1e-13f, 100e-9f, 1e-9f};
  f.record.MarkerFreq[2] = 500;
  f.Plot();
  EXPECT_EQ(f.Cell(2, 1800).substr(0, 1), " ");
  EXPECT_GT(f.Number(2, 1800), 0.0);
  f.shared.EditPanelOn = 1;  // an open panel covers the table, not the symbols
  for (const int16_t delayOn : std::initializer_list<int16_t>{0, 1}) {
    f.shared.DelayOn = delayOn;
    f.Plot();
    EXPECT_EQ(f.Cell(4, 1000), "<none>") << delayOn;
    EXPECT_EQ(f.Symbols().size(), 2u) << delayOn;
  }
}

TEST(MarkerOverlay, DelayAtTheCornerInTheLastRowAndAcrossThePhaseWrap) {
  MarkerFixture f;
  f.shared.DelayOn = 1;
  f.record.MarkerFreq[8] = 1000;
  f.Plot();
  const double expected = 2.5 / (kTwoPi * 1000);
  EXPECT_NEAR(f.shared.MarkerDelay[8], expected, expected * 1e-3);
  EXPECT_NEAR(test::Read(f.Cell(8, 3400)), expected, expected * 1e-3);
  EXPECT_EQ(f.Cell(8, 1000), " 8");  // row 8 sits at 8500, inside the cleared area
  const auto symbols = f.Symbols();
  ASSERT_EQ(symbols.size(), 2u);  // gain, then delay
  EXPECT_NEAR(symbols[1].y1, 7000 - 6000 * expected / 0.002, 1.0);
  EXPECT_EQ(f.Symbols({255, 238, 238}).size(), 1u);  // the delay fill

  const float f0 = static_cast<float>(1000 * std::sqrt(2.0));
  float gain = 0, below = 0, above = 0;
  ResponseAt(f.record, static_cast<float>(f0 * 0.999), gain, below);
  ResponseAt(f.record, static_cast<float>(f0 / 0.999), gain, above);
  ASSERT_TRUE(below < -179.0f && above > 179.0f);  // the probes straddle the wrap
  f.record.MarkerFreq[8] = f0;
  f.Plot();
  const double wrapped = (4.0 / 3.0) / (kTwoPi * 1000);
  EXPECT_NEAR(f.shared.MarkerDelay[8], wrapped, wrapped * 1e-2);
  EXPECT_EQ(f.Symbols().size(), 2u);  // the delay symbol lies inside the box
}

}  // namespace
}  // namespace kestro
