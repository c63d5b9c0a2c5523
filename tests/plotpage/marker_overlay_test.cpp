// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/marker_overlay.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plot_test_context.h"
#include "plotpage/plot_drawing.h"

namespace kestro::test {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// Third-order Butterworth at 1 kHz: at the corner -3.01 dB, -135 degrees and a group delay of
// 2.5 / (2 pi 1000) s; at sqrt(2) kHz the phase passes -180 degrees with a delay of
// (4/3) / (2 pi 1000) s. Plot +10..-60 dB from y = 1000 to 7000, 100 Hz..10 kHz from x = 2000
// to 11000, delay 0..2 ms from y = 7000 up.
struct MarkerFixture : PlotTestContext {
  MarkerFixture()
      : PlotTestContext(3), drawing(canvas, record, shared), markers(drawing, record, shared) {
    record.MarkersOn = 1;
  }
  void Plot() {
    canvas.commands.clear();
    markers.PlotMarkerGain();
    markers.PlotMarkerDelay();
  }
  // The text last printed (the one left to see) in row k of the table under `heading`, the row
  // found by its number in the "#:" column; "<none>" when the row or the cell is empty.
  std::string Cell(int k, const std::string& heading) const {
    const std::size_t number = FindPrint(canvas, " " + std::to_string(k), PrintOf("#:").textX);
    std::string text = "<none>";
    for (const DrawCommand& print : canvas.Printed()) {
      if (number < canvas.commands.size() && print.textY == canvas.commands[number].textY &&
          print.textX == PrintOf(heading).textX)
        text = print.text;
    }
    return text;
  }
  // The symbols drawn: the zero-length lines in `colour`, by default the outline colour.
  std::vector<DrawCommand> Symbols(Rgb colour = {17, 17, 17}) const {
    std::vector<DrawCommand> symbols = canvas.OfKind(Kind::Line);
    std::erase_if(symbols, [colour](const DrawCommand& c) { return !(c.colour == colour); });
    return symbols;
  }
  PlotDrawing drawing;
  MarkerOverlay markers;
};

// Marker 1 at the corner, marker 2 below Fstart (listed, no symbol), marker 3 at a negative
// frequency (none). An open panel covers the table, not the symbols.
TEST(MarkerOverlay, GainSymbolsAndRows) {
  MarkerFixture f;
  f.record.MarkerFreq[1] = 1000;
  f.record.MarkerFreq[2] = 50;
  f.record.MarkerFreq[3] = -100;
  f.shared.MarkerDelay[1] = 4e-4f;  // left by a delay pass before the delay curve was turned off
  f.Plot();
  const auto symbols = f.Symbols();
  ASSERT_EQ(symbols.size(), 1u);
  EXPECT_NEAR(symbols[0].x1, 2000 + 9000 * 0.5, 0.1);
  EXPECT_NEAR(symbols[0].y1, 1000 + 6000 * 13.0103 / 70, 0.5);
  // The rows: number, frequency, gain, phase as FormatNum writes it; no delay while it is off.
  EXPECT_EQ((Names{f.Cell(1, "Freq:"), f.Cell(1, "Delay:"), f.Cell(2, "Freq:"), f.Cell(3, "#:")}),
            (Names{" 1000", "<none>", " 50", "<none>"}));
  EXPECT_NEAR(std::stod(f.Cell(1, "Gain:")), -3.01, 0.005);
  EXPECT_NEAR(std::stod(f.Cell(1, "Phase:")), -135.0, 0.05);
  f.shared.EditPanelOn = 1;
  f.Plot();
  EXPECT_FALSE(f.Shows("Freq:"));
  EXPECT_EQ(f.Symbols().size(), 1u);
}

TEST(MarkerOverlay, DelayAtTheCornerInTheLastRowAndAcrossThePhaseWrap) {
  MarkerFixture f;
  f.shared.DelayOn = 1;
  f.record.MarkerFreq[8] = 1000;
  f.Plot();
  const double expected = 2.5 / (kTwoPi * 1000);
  EXPECT_NEAR(Read(f.Cell(8, "Delay:")), expected, expected * 1e-3);
  EXPECT_NEAR(std::stod(f.Cell(8, "Phase:")), -135.0, 0.05);  // at the marker, not beside it
  EXPECT_LT(f.PrintOf(" 8").textY, f.canvas.commands[0].y2);  // inside the cleared data area
  const auto symbols = f.Symbols();
  ASSERT_EQ(symbols.size(), 2u);  // gain, then delay
  EXPECT_NEAR(symbols[1].y1, 7000 - 6000 * expected / 0.002, 1.0);
  const float f0 = static_cast<float>(1000 * std::sqrt(2.0));
  f.record.MarkerFreq[8] = f0;  // where the wrapped phase jumps from -180 to +180 degrees
  f.Plot();
  const double wrapped = (4.0 / 3.0) / (kTwoPi * 1000);
  EXPECT_NEAR(Read(f.Cell(8, "Delay:")), wrapped, wrapped * 1e-3);
  EXPECT_EQ(f.Symbols().size(), 2u);  // the delay symbol lies inside the box
}

}  // namespace
}  // namespace kestro::test
