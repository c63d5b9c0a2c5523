#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "plot_test_context.h"
#include "plotpage/marker_overlay.h"
#include "plotpage/marker_page.h"

namespace kestro {
namespace {

using test::DrawCommand;
using test::FindPrint;
using test::Kind;
using test::Names;

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
  for (const int16_t delayOn : {0, 1}) {
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

TEST(MarkerPage, LayoutCaptionsAndFrequencies) {
  test::PlotTestContext context;
  context.record.MarkerFreq[1] = 1234.567f;  // more digits than the box shows
  context.record.MarkerFreq[2] = 0.25f;
  MarkerPage page(context.context);
  EXPECT_EQ(page.WindowCaption(), "Markers");
  Names captions;
  for (const char* name : {"lblTitle", "lblMarkerFrequency8", "cmdMarkerErase", "cmdExit",
                           "txtMarkerFrequency1", "txtMarkerFrequency2", "txtMarkerFrequency3"})
    captions.push_back(page[name].caption);
  EXPECT_EQ(captions, (Names{"Markers", "Frequency 8:", "Erase all", "Return", " 1.2346K ",
                             " 250mH", "0.0 "}));
  // The buttons stand under the boxes and inside the page.
  EXPECT_GT(page["cmdMarkerOn"].top, page["txtMarkerFrequency8"].top);
  EXPECT_LE(page["cmdExit"].top + page["cmdExit"].height, 9000);
  // The frequencies are read back as shown; every keystroke reaches the record.
  page.Type("txtMarkerFrequency4", "2");
  EXPECT_EQ(context.record.MarkerFreq[4], 2.0f);
  page.Type("txtMarkerFrequency4", "2k");
  EXPECT_EQ((std::vector<float>(&context.record.MarkerFreq[1], &context.record.MarkerFreq[5])),
            (std::vector<float>{1234.6f, 0.25f, 0, 2000}));
  // Without an open plot page the buttons still work.
  page.Click("cmdMarkerOn");
  page.Click("cmdMarkerHide");
  EXPECT_EQ(context.record.MarkersOn, 0);
  EXPECT_EQ(context.navigator.closed.size(), 2u);
}

TEST(MarkerPage, ButtonsRedrawThePlotAndClose) {
  test::PlotPageFixture f(3);
  MarkerPage markers(f.context);
  const auto press = [&](const char* button) {
    f.canvas.commands.clear();
    markers.Click(button);
  };
  markers.Type("txtMarkerFrequency1", "-5");  // a negative frequency is no marker
  press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Marker});
  markers.Type("txtMarkerFrequency3", "1k");
  press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 1);
  EXPECT_TRUE(f.Redrawn());
  EXPECT_LT(FindPrint(f.canvas, " 3"), f.canvas.commands.size());  // row 3
  EXPECT_EQ(f.navigator.closed.size(), 2u);
  // Hide clears the table, Return keeps the typed frequencies, Erase all forgets them.
  markers.Type("txtMarkerFrequency1", "1k");
  press("cmdMarkerHide");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(test::Corners(f.canvas.commands.at(0)), (std::vector<float>{300, 7280, 4200, 9800}));
  EXPECT_EQ(FindPrint(f.canvas, "Freq:"), f.canvas.commands.size());
  EXPECT_EQ(f.record.MarkerFreq[1], 1000.0f);
  markers.Type("txtMarkerFrequency2", "3k");
  press("cmdExit");
  EXPECT_EQ(f.record.MarkerFreq[2], 3000.0f);
  EXPECT_TRUE(f.canvas.commands.empty());
  f.record.MarkersOn = 1;
  press("cmdMarkerErase");
  EXPECT_EQ(f.record.MarkerFreq, decltype(f.record.MarkerFreq){});
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed.size(), 5u);
}

}  // namespace
}  // namespace kestro
