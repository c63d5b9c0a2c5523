#include "plotpage/optimizer.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestro::test
