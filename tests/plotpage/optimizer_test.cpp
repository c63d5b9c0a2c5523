// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/optimizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/limit_error.h"
#include "core/gain_limits.h"
#include "plot_test_context.h"

namespace kestro::test {
namespace {

// Commands the run disables until Clear.
const Names kAfterRunDisabled{"cmdDesign", "cmdTunePart", "cmdRestore", "cmdMonteCarlo"};

// The printed texts that start with `prefix`, in order.
Names Texts(const RecordingCanvas& canvas, const std::string& prefix) {
  Names texts;
  for (const auto& c : canvas.Printed()) {
    if (c.text.starts_with(prefix))
      texts.push_back(c.text);
  }
  return texts;
}

// A floor of +5 dB can never be met: all 2000 trials run, the page is cleared every 100 traces
// and at the end, and only improvements are kept; the design is then hand-made and the markers
// off. C1 of a two-pole stage at 1e-12 F is never perturbed; 2e-12 is.
TEST(Optimizer, AnErrorThatStaysHighRunsExactly2000Trials) {
  PlotPageFixture f;  // order 4 at 1 kHz: a floor of +5 dB to 900 Hz, -40 dB from 5 kHz up
  AddGainLimit(f.record, 1, kFloorFromDc, 900, 5);
  AddGainLimit(f.record, 1, kCeilingUpward, 5000, -40);
  f.record.LimitsOn = 1;
  f.record.C[1][1] = 1e-12f;
  f.record.C[2][1] = 2e-12f;
  f.record.MarkersOn = 1;
  f.random.Feed({0.1f, 0.7f, 0.4f, 0.95f, 0.3f, 0.6f, 0.8f});  // 7 values, 5 parts a trial
  f.Click("cmdOptimize");
  EXPECT_EQ(f.FamilyAndModified(), (std::vector<int>{kManual, 1}));
  EXPECT_EQ(f.record.MarkersOn, 0);
  EXPECT_EQ(f.pump.calls, 1999);
  EXPECT_EQ(Texts(f.canvas, "Trial #:").back(), "Trial #: 2000 / 2000");
  EXPECT_EQ(f.canvas.OfKind(Kind::Clear).size(), 20u);  // 19 during the run, 1 at its end
  EXPECT_EQ(f.record.C[1][1], 1e-12f);
  EXPECT_NE(f.record.C[2][1], 2e-12f);
  EXPECT_EQ(f.record.Csaved[2], f.record.C[2]);  // the best design is the one kept
  EXPECT_EQ(Texts(f.canvas, "Error:").back(), "Error: " + FormatNum(ComputeLimitError(f.record)));
  EXPECT_EQ(f.EnabledOf(kAfterRunDisabled), Names{});
  f.Click("cmdReset");
  EXPECT_EQ(f.EnabledOf(kAfterRunDisabled), (Names{"cmdDesign", "cmdTunePart", "cmdMonteCarlo"}));
}

// Relative luminance of an sRGB colour (WCAG 2).
double Luminance(Rgb c) {
  const auto channel = [](uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

// Every text of the error display (scale labels, "Trial #:", "Error:") stands on the last fill
// under its position, or the page, in a colour of contrast 4.5 : 1 or more against it.
TEST(Optimizer, ErrorDisplayTextIsReadableOnWhatLiesUnderIt) {
  PlotPageFixture f;  // limits met at once: one trial
  AddGainLimit(f.record, 1, kFloorFromDc, 900, -100);
  AddGainLimit(f.record, 1, kCeilingUpward, 5000, 50);
  f.record.LimitsOn = 1;
  f.random.Feed({0.5f});
  f.Click("cmdOptimize");
  Rgb text{};
  std::vector<DrawCommand> fills;  // since the last clear of the page
  int checked = 0;
  for (const DrawCommand& c : f.canvas.commands) {
    if (c.kind == Kind::TextColour)
      text = c.colour;
    if (c.kind == Kind::Clear)
      fills.clear();
    if (c.kind == Kind::FillRect)
      fills.push_back(c);
    if (c.kind != Kind::Print || c.textY > 1000)
      continue;
    Rgb under{238, 255, 255};
    for (const DrawCommand& fill : fills) {
      if (c.textX >= fill.x1 && c.textX < fill.x2 && c.textY >= fill.y1 && c.textY < fill.y2)
        under = fill.colour;
    }
    const double hi = std::max(Luminance(text), Luminance(under));
    const double lo = std::min(Luminance(text), Luminance(under));
    EXPECT_GE((hi + 0.05) / (lo + 0.05), 4.5) << c.text;
    ++checked;
  }
  EXPECT_GE(checked, 9);  // seven labels, the trial and the error
}

}  // namespace
}  // namespace kestro::test
