// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/monte_carlo.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plot_test_context.h"
#include "plotpage/long_run_lock.h"

namespace kestro::test {
namespace {

std::vector<float> Points(const PointArray& values, int nints) {
  return {values.begin(), values.begin() + nints + 1};
}

// The envelope's lower edge when every pass scales every part of stages 1..Order by `factor`
// (computed in double, stored as single): point by point the lower of that gain and the nominal.
std::vector<float> LowerEnvelope(DesignRecord record, double factor) {
  const std::vector<float> nominal = Points(record.Gain, record.Nints);
  for (std::size_t s = 1; s <= static_cast<std::size_t>(record.Order); ++s) {
    for (std::size_t k = 1; k <= 3; ++k) {
      record.R[s][k] = static_cast<float>(record.R[s][k] * factor);
      record.C[s][k] = static_cast<float>(record.C[s][k] * factor);
    }
  }
  Analyze(record);
  std::vector<float> gain = Points(record.Gain, record.Nints);
  for (std::size_t i = 0; i < gain.size(); ++i)
    gain[i] = std::min(gain[i], nominal[i]);
  return gain;
}

// r = 0 everywhere: every pass scales every part by 1 - 0.1f / 2, so the envelope is that one
// response widened by the nominal one; the record ends exactly at the nominal parts. The passes
// only add curves; the nominal gain and delay come last in yellow and green.
TEST(MonteCarlo, ThousandPassesThenTheNominalCurvesInBoldColours) {
  PlotPageFixture f(5);
  f.shared.DelayOn = 1;
  f.record.Rounded = 1;
  f.random.Feed({0.0f});
  const DesignRecord nominal = f.record;
  f.Click("cmdMonteCarlo");
  f.Click("cmdMC5");
  EXPECT_EQ(f.pump.calls, 1000);
  EXPECT_EQ(f.record.R, nominal.R);
  EXPECT_EQ(f.record.C, nominal.C);
  EXPECT_EQ(Points(f.shared.GainMin, f.record.Nints),
            LowerEnvelope(nominal, 1 - 0.5 * double{0.1f}));
  EXPECT_FALSE(f.Shows("Gain, dB:"));
  const auto lines = f.canvas.OfKind(Kind::Line);
  ASSERT_EQ(lines.size(), 2002u);
  EXPECT_EQ(lines[2000].colour, (Rgb{255, 255, 0}));
  EXPECT_EQ(lines[2001].colour, (Rgb{0, 255, 0}));
  EXPECT_EQ(f.EnabledOf({"cmdResetMC", "cmdMC5", "cmdMonteCarlo"}),
            (Names{"cmdResetMC", "cmdMC5"}));
  f.Click("cmdResetMC");  // Show Extremes: the plot again with the four envelope curves
  EXPECT_EQ(f.canvas.OfKind(Kind::LineTo).size(), 6 * static_cast<std::size_t>(f.record.Nints));
}

// Clear between passes ends the run there and a second run does not start inside it; the record
// returns to nominal and the page is at rest. The two-pole stages of order 4 keep R1 at 0.
TEST(MonteCarlo, ClearStopsARunBetweenPassesAndRunsAreNotNested) {
  PlotPageFixture f(4);
  const DesignRecord nominal = f.record;
  f.random.Feed({0.1f, 0.9f, 0.4f});
  Names lockedDuringRun;
  std::vector<float> r1;
  f.pump.onPump = [&](int call) {
    r1.insert(r1.end(), {f.record.R[1][1], f.record.R[2][1]});
    if (call == 1) {
      lockedDuringRun = f.EnabledOf(f.NamesOf(LongRunLock::LockedButtons(f.page->PageControls())));
      f.page->Click("cmdMC1");
    }
    if (call == 10)
      f.page->Click("cmdReset");
  };
  f.Click("cmdMonteCarlo");
  f.Click("cmdMC5");
  EXPECT_EQ(lockedDuringRun, Names{});
  EXPECT_EQ(f.pump.calls, 10);
  EXPECT_EQ(r1, std::vector<float>(20, 0.0f));
  EXPECT_EQ(f.record.R, nominal.R);
  EXPECT_EQ(f.record.C, nominal.C);
  EXPECT_EQ(Points(f.record.Gain, f.record.Nints), Points(nominal.Gain, nominal.Nints));
  EXPECT_EQ(f.VisibleOf({"cmdMC1", "cmdMC5", "cmdResetMC"}), Names{});
  EXPECT_EQ(f.EnabledOf({"cmdOptimize", "cmdMC5", "cmdTunePart"}),
            (Names{"cmdMC5", "cmdTunePart"}));
}

}  // namespace
}  // namespace kestro::test
