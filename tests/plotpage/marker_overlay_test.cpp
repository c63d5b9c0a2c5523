#include "plotpage/marker_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "core/eng_value.h"
#include "plot_test_context.h"

namespace kestro {
namespace {

using test::DrawCommand;
using Kind = DrawCommand::Kind;

constexpr double kTwoPi = 6.283185307179586;

// Third-order Butterworth at 1 kHz: at the corner -3.01 dB, -135 degrees and a group delay of
// 2.5 / (2 pi 1000) s; at sqrt(2) kHz the phase passes -180 degrees with a delay of
// (4/3) / (2 pi 1000) s.
struct MarkerFixture : test::PlotTestContext {
  MarkerFixture()
      : PlotTestContext(3), drawing(canvas, record, shared), markers(drawing, record, shared) {
    record.MarkersOn = 1;
  }
  // The texts printed on row k of the table, by column x.
  std::string Cell(int k, float x) const {
    for (const DrawCommand& print : canvas.Printed()) {
      if (print.textY == 7300.0f + 150.0f * static_cast<float>(k) && print.textX == x) {
        return print.text;
      }
    }
    return "<none>";
  }
  // The symbols drawn: the zero-length lines in the outline colour.
  std::vector<DrawCommand> Symbols() const {
    std::vector<DrawCommand> symbols;
    for (const DrawCommand& line : canvas.OfKind(Kind::Line)) {
      if (line.colour == Rgb{17, 17, 17})
        symbols.push_back(line);
    }
    return symbols;
  }
  PlotDrawing drawing;
  MarkerOverlay markers;
};

double Leading(const std::string& text) {
  return std::stod(text);
}

double ReadBack(const std::string& text) {
  float value = 0;
  ReadEngValue(text, value);
  return value;
}

TEST(MarkerOverlay, NothingWhileMarkersAreOff) {
  MarkerFixture f;
  f.record.MarkersOn = 0;
  f.record.MarkerFreq[1] = 1000;
  f.shared.DelayOn = 1;
  f.markers.PlotMarkerGain();
  f.markers.PlotMarkerDelay();
  EXPECT_TRUE(f.canvas.commands.empty());
}

TEST(MarkerOverlay, GainSymbolAndRowAtTheCorner) {
  MarkerFixture f;
  f.record.MarkerFreq[1] = 1000;
  f.markers.PlotMarkerGain();
  const auto& commands = f.canvas.commands;
  // The data area is cleared first.
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands[0].kind, Kind::FillRect);
  EXPECT_FLOAT_EQ(commands[0].x2, 4200);
  EXPECT_FLOAT_EQ(commands[0].y2, 9800);
  // Symbol on the gain curve: x at 1 kHz of 100 Hz..10 kHz, y at -3.01 dB of +10..-60 dB.
  const auto symbols = f.Symbols();
  ASSERT_EQ(symbols.size(), 1u);
  EXPECT_NEAR(symbols[0].x1, 6500, 0.1);
  EXPECT_NEAR(symbols[0].y1, 1000 + 6000 * 13.0103 / 70, 0.5);
  const std::size_t outline = test::FindCommand(f.canvas, Kind::Line);
  EXPECT_EQ(commands[outline - 1].width, 18);
  EXPECT_EQ(commands[outline + 1].width, 16);
  EXPECT_EQ(commands[outline + 2].colour, (Rgb{221, 255, 255}));
  EXPECT_EQ(commands[outline + 3].width, 1);
  const DrawCommand& number = commands[test::FindPrint(f.canvas, "1")];
  EXPECT_NEAR(number.textX, symbols[0].x1 - 45, 0.01);
  EXPECT_NEAR(number.textY, symbols[0].y1 - 78, 0.01);
  // The row: number, frequency, gain, phase; no delay yet.
  EXPECT_EQ(f.Cell(1, 1000), " 1");
  EXPECT_EQ(f.Cell(1, 1200), " 1000");
  EXPECT_NEAR(Leading(f.Cell(1, 1800)), -3.01, 0.005);
  EXPECT_NEAR(Leading(f.Cell(1, 2600)), -135.0, 0.05);
  EXPECT_EQ(f.Cell(1, 2600).back(), ' ');  // the phase text comes as FormatNum writes it
  EXPECT_EQ(f.Cell(1, 3400), "<none>");
  for (const char* heading : {"#:", "Freq:", "Gain:", "Phase:", "Delay:"}) {
    EXPECT_FLOAT_EQ(commands[test::FindPrint(f.canvas, heading)].textY, 7300) << heading;
  }
}

TEST(MarkerOverlay, PositiveGainGetsALeadingBlank) {
  MarkerFixture f;
  f.record.Order = 2;  // a lone stage peaking above 0 dB below its corner
  f.record.R[1] = {0, 0, 10000, 10000, 1e-5f, 1};
  f.record.C[1] = {0, 1e-13f, 100e-9f, 1e-9f};  // Q of 5
  f.record.MarkerFreq[2] = 500;
  f.markers.PlotMarkerGain();
  const std::string gain = f.Cell(2, 1800);
  ASSERT_GT(gain.size(), 1u);
  EXPECT_EQ(gain[0], ' ');
  EXPECT_GT(Leading(gain), 0.0);
}

TEST(MarkerOverlay, MarkerOutsideTheBoxKeepsItsRow) {
  MarkerFixture f;
  f.record.dBbottom = -40;
  f.record.MarkerFreq[1] = 50;    // below Fstart
  f.record.MarkerFreq[2] = 5000;  // -41.9 dB, under the axis
  f.record.MarkerFreq[3] = -100;  // no marker
  f.markers.PlotMarkerGain();
  EXPECT_TRUE(f.Symbols().empty());
  EXPECT_EQ(f.Cell(1, 1200), " 50");
  EXPECT_NEAR(Leading(f.Cell(2, 1800)), -41.9, 0.05);
  EXPECT_EQ(f.Cell(3, 1000), "<none>");
}

TEST(MarkerOverlay, DelayAtTheCornerAndInTheLastRow) {
  MarkerFixture f;
  f.shared.DelayOn = 1;
  f.record.MarkerFreq[8] = 1000;
  f.markers.PlotMarkerGain();
  f.markers.PlotMarkerDelay();
  const double expected = 2.5 / (kTwoPi * 1000);
  EXPECT_NEAR(f.shared.MarkerDelay[8], expected, expected * 1e-3);
  EXPECT_NEAR(ReadBack(f.Cell(8, 3400)), expected, expected * 1e-3);
  // Row 8 sits at 8500, inside the cleared area.
  EXPECT_EQ(f.Cell(8, 1000), " 8");
  const auto symbols = f.Symbols();
  ASSERT_EQ(symbols.size(), 2u);  // gain, then delay
  EXPECT_NEAR(symbols[1].y1, 7000 - 6000 * expected / 0.002, 1.0);
  int delayFills = 0;
  for (const DrawCommand& line : f.canvas.OfKind(Kind::Line)) {
    delayFills += line.colour == Rgb{255, 238, 238} ? 1 : 0;
  }
  EXPECT_EQ(delayFills, 1);
}

TEST(MarkerOverlay, PhaseWrapBetweenTheProbesIsNoDelayJump) {
  MarkerFixture f;
  f.shared.DelayOn = 1;
  const float f0 = static_cast<float>(1000 * std::sqrt(2.0));
  float gain = 0, below = 0, above = 0;
  ResponseAt(f.record, static_cast<float>(f0 * 0.999), gain, below);
  ResponseAt(f.record, static_cast<float>(f0 / 0.999), gain, above);
  ASSERT_LT(below, -179.0f);  // the probes straddle the wrap from -180 to +180
  ASSERT_GT(above, 179.0f);
  f.record.MarkerFreq[1] = f0;
  f.markers.PlotMarkerDelay();
  const double expected = (4.0 / 3.0) / (kTwoPi * 1000);
  EXPECT_NEAR(f.shared.MarkerDelay[1], expected, expected * 1e-2);
  EXPECT_EQ(f.Symbols().size(), 1u);  // the delay symbol lies inside the box
}

TEST(MarkerOverlay, DelayOffShowsOnlyGainAndOldDelays) {
  MarkerFixture f;
  f.record.MarkerFreq[1] = 1000;
  f.record.MarkerFreq[2] = 2000;
  f.shared.MarkerDelay[2] = 1.5e-4f;  // left by an earlier delay pass
  f.markers.PlotMarkerGain();
  f.markers.PlotMarkerDelay();
  EXPECT_EQ(f.Symbols().size(), 2u);
  EXPECT_EQ(f.Cell(1, 3400), "<none>");
  EXPECT_EQ(f.Cell(2, 3400), "150u");
}

TEST(MarkerOverlay, OpenPanelKeepsTheDataAreaEmpty) {
  MarkerFixture f;
  f.shared.EditPanelOn = 1;
  f.record.MarkerFreq[1] = 1000;
  for (const int16_t delayOn : {0, 1}) {
    f.shared.DelayOn = delayOn;
    f.canvas.commands.clear();
    f.markers.PlotMarkerGain();
    f.markers.PlotMarkerDelay();
    EXPECT_EQ(f.Cell(1, 1000), "<none>") << delayOn;
    EXPECT_EQ(f.Symbols().size(), 1u) << delayOn;  // the gain symbol is still drawn
  }
}

}  // namespace
}  // namespace kestro
