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
  EXPECT_EQ(commands[0].kind, Kind::FillRect);  // the data area is cleared first
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
  const DrawCommand& number = commands[FindPrint(f.canvas, "1")];
  EXPECT_NEAR(number.textX, symbols[0].x1 - 45, 0.01);
  EXPECT_NEAR(number.textY, symbols[0].y1 - 78, 0.01);
  // The row: number, frequency, gain, phase; no delay while it is off.
  EXPECT_EQ(f.Cell(1, 1000), " 1");
  EXPECT_EQ(f.Cell(1, 1200), " 1000");
  EXPECT_NEAR(f.Number(1, 1800), -3.01, 0.005);
  EXPECT_NEAR(f.Number(1, 2600), -135.0, 0.05);
  EXPECT_EQ(f.Cell(1, 2600).back(), ' ');  // the phase text comes as FormatNum writes it
  EXPECT_EQ(f.Cell(1, 3400), "<none>");
  for (const char* heading : {"#:", "Freq:", "Gain:", "Phase:", "Delay:"})
    EXPECT_FLOAT_EQ(commands[FindPrint(f.canvas, heading)].textY, 7300) << heading;
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
  EXPECT_EQ(f.Cell(1, 1200), " 50");
  EXPECT_NEAR(f.Number(2, 1800), -41.9, 0.05);
  EXPECT_EQ(f.Cell(3, 1000), "<none>");
  EXPECT_EQ(f.Cell(4, 3400), "150u");
  // A lone stage with a Q of 5 peaks above 0 dB below its corner: the gain gets a leading blank.
  f.record.Order = 2;
  f.record.R[1] = {0, 0, 10000, 10000, 1e-5f, 1};
  f.record.C[1] = {0, 1e-13f, 100e-9f, 1e-9f};
  f.record.MarkerFreq[2] = 500;
  f.Plot();
  const std::string gain = f.Cell(2, 1800);
  ASSERT_GT(gain.size(), 1u);
  EXPECT_EQ(gain[0], ' ');
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
  int delayFills = 0;
  for (const DrawCommand& line : f.canvas.OfKind(Kind::Line))
    delayFills += line.colour == Rgb{255, 238, 238} ? 1 : 0;
  EXPECT_EQ(delayFills, 1);

  const float f0 = static_cast<float>(1000 * std::sqrt(2.0));
  float gain = 0, below = 0, above = 0;
  ResponseAt(f.record, static_cast<float>(f0 * 0.999), gain, below);
  ResponseAt(f.record, static_cast<float>(f0 / 0.999), gain, above);
  ASSERT_LT(below, -179.0f);  // the probes straddle the wrap from -180 to +180
  ASSERT_GT(above, 179.0f);
  f.record.MarkerFreq[8] = f0;
  f.Plot();
  const double wrapped = (4.0 / 3.0) / (kTwoPi * 1000);
  EXPECT_NEAR(f.shared.MarkerDelay[8], wrapped, wrapped * 1e-2);
  EXPECT_EQ(f.Symbols().size(), 2u);  // the delay symbol lies inside the box
}

// --- The marker page ---

struct MarkerPageFixture : test::PlotPageFixture {
  MarkerPageFixture() : PlotPageFixture(3), markers(context) {}
  void Press(const std::string& button) {
    canvas.commands.clear();
    markers.Click(button);
  }
  MarkerPage markers;
};

TEST(MarkerPage, LayoutCaptionsAndFrequencies) {
  test::PlotTestContext context;
  context.record.MarkerFreq[1] = 1234.567f;  // more digits than the box shows
  context.record.MarkerFreq[2] = 0.25f;
  MarkerPage page(context.context);
  EXPECT_EQ(page.WindowCaption(), "Markers");
  EXPECT_EQ(page["lblTitle"].caption, "Markers");
  EXPECT_EQ(page["lblMarkerFrequency8"].caption, "Frequency 8:");
  EXPECT_EQ(page["cmdMarkerErase"].caption, "Erase all");
  EXPECT_EQ(page["cmdExit"].caption, "Return");
  // The buttons stand under the boxes and inside the page.
  EXPECT_GT(page["cmdMarkerOn"].top, page["txtMarkerFrequency8"].top);
  EXPECT_LE(page["cmdExit"].top + page["cmdExit"].height, 9000);
  // The boxes show the frequencies, which are read back as shown.
  EXPECT_EQ(page["txtMarkerFrequency1"].caption, " 1.2346K ");
  EXPECT_EQ(page["txtMarkerFrequency2"].caption, " 250mH");
  EXPECT_EQ(page["txtMarkerFrequency3"].caption, "0.0 ");
  EXPECT_FLOAT_EQ(context.record.MarkerFreq[1], 1234.6f);
  EXPECT_FLOAT_EQ(context.record.MarkerFreq[2], 0.25f);
  EXPECT_EQ(context.record.MarkerFreq[3], 0.0f);
  page.Type("txtMarkerFrequency4", "2");  // every keystroke reaches the record
  EXPECT_EQ(context.record.MarkerFreq[4], 2.0f);
  page.Type("txtMarkerFrequency4", "2k");
  EXPECT_EQ(context.record.MarkerFreq[4], 2000.0f);
  // Without an open plot page the buttons still work.
  page.Click("cmdMarkerOn");
  page.Click("cmdMarkerHide");
  EXPECT_EQ(context.record.MarkersOn, 0);
  EXPECT_EQ(context.navigator.closed.size(), 2u);
}

TEST(MarkerPage, ButtonsRedrawThePlotAndClose) {
  MarkerPageFixture f;
  f.markers.Type("txtMarkerFrequency1", "-5");  // a negative frequency is no marker
  f.Press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_TRUE(f.canvas.commands.empty());
  EXPECT_EQ(f.navigator.closed, std::vector<PageId>{PageId::Marker});
  f.markers.Type("txtMarkerFrequency3", "1k");
  f.Press("cmdMarkerOn");
  EXPECT_EQ(f.record.MarkersOn, 1);
  EXPECT_TRUE(f.Redrawn());
  EXPECT_LT(FindPrint(f.canvas, " 3"), f.canvas.commands.size());  // row 3
  EXPECT_EQ(f.navigator.closed.size(), 2u);
  // Hide clears the table, Return keeps the typed frequencies, Erase all forgets them.
  f.markers.Type("txtMarkerFrequency1", "1k");
  f.Press("cmdMarkerHide");
  EXPECT_EQ(f.record.MarkersOn, 0);
  const auto& first = f.canvas.commands[0];
  EXPECT_EQ((std::vector<float>{first.x1, first.y1, first.x2, first.y2}),
            (std::vector<float>{300, 7280, 4200, 9800}));
  EXPECT_EQ(FindPrint(f.canvas, "Freq:"), f.canvas.commands.size());
  EXPECT_EQ(f.record.MarkerFreq[1], 1000.0f);

  f.markers.Type("txtMarkerFrequency2", "3k");
  f.Press("cmdExit");
  EXPECT_EQ(f.record.MarkerFreq[2], 3000.0f);
  EXPECT_TRUE(f.canvas.commands.empty());

  f.record.MarkersOn = 1;
  f.Press("cmdMarkerErase");
  for (std::size_t k = 1; k <= 8; ++k)
    EXPECT_EQ(f.record.MarkerFreq[k], 0.0f) << k;
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.navigator.closed.size(), 5u);
}

}  // namespace
}  // namespace kestro
