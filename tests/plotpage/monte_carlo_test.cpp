#include "plotpage/monte_carlo.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plot_test_context.h"
#include "plotpage/long_run_lock.h"

namespace kestro {
namespace {

using test::Kind;
using test::Names;
using test::PlotPageFixture;

const Names kToleranceButtons{"cmdMC1", "cmdMC2", "cmdMC5", "cmdMC10", "cmdMC20", "cmdResetMC"};

std::vector<float> Points(const PointArray& values, int nints) {
  return {values.begin(), values.begin() + nints + 1};
}

// The envelope when every pass scales every part of stages 1..Order by `factor` (computed in
// double, stored as single): point by point the pass's gain widened by the nominal gain.
std::vector<float> Envelope(DesignRecord record, double factor, bool upper) {
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
    gain[i] = upper ? std::max(gain[i], nominal[i]) : std::min(gain[i], nominal[i]);
  return gain;
}

std::vector<Rgb> LineColours(const test::RecordingCanvas& canvas) {
  std::vector<Rgb> colours;
  for (const auto& c : canvas.OfKind(Kind::Line))
    colours.push_back(c.colour);
  return colours;
}

// r = 0 everywhere: every pass scales every part by 1 - 0.1f / 2. The envelope is then that one
// response, and the record ends exactly at the nominal parts with the design state untouched.
TEST(MonteCarlo, ThousandPassesThenTheNominalCurvesInBoldColours) {
  PlotPageFixture f(5);
  f.shared.DelayOn = 1;
  f.record.Rounded = 1;
  f.random.Feed({0.0f});
  const DesignRecord nominal = f.record;
  f.Click("cmdMonteCarlo");
  EXPECT_EQ(f.VisibleOf(kToleranceButtons), kToleranceButtons);
  EXPECT_EQ(f.EnabledOf({"cmdDesign", "cmdQuit", "cmdTunePart", "cmdResetMC", "cmdLimits",
                         "cmdGetPlot", "cmdMonteCarlo", "cmdReset", "cmdMC5", "cmdDelay"}),
            (Names{"cmdReset", "cmdMC5", "cmdDelay"}));
  EXPECT_EQ(f.canvas.Printed().size(), 0u);  // the plot stays
  f.Click("cmdMC5");
  EXPECT_EQ(f.pump.calls, 1000);
  EXPECT_EQ(f.random.draws, 1000 * 5 * 6);  // every part of stages 1..Order, every pass
  EXPECT_EQ(f.record.MCTolerance, 0.1f);
  EXPECT_EQ(f.record.R, nominal.R);
  EXPECT_EQ(f.record.C, nominal.C);
  EXPECT_EQ((std::vector<int>{f.record.Family, f.record.PartsModified, f.record.Rounded}),
            (std::vector<int>{nominal.Family, nominal.PartsModified, 1}));
  EXPECT_EQ(Points(f.shared.GainMin, f.record.Nints),
            Envelope(nominal, 1 - 0.5 * double{0.1f}, false));
  EXPECT_EQ(Points(f.shared.GainMax, f.record.Nints),
            Envelope(nominal, 1 - 0.5 * double{0.1f}, true));
  // Passes only add curves, from colour set 1 on; the nominal gain and delay come last in
  // yellow and green.
  EXPECT_EQ(test::FindPrint(f.canvas, "Gain, dB:"), f.canvas.commands.size());
  const std::vector<Rgb> colours = LineColours(f.canvas);
  ASSERT_EQ(colours.size(), 2002u);
  EXPECT_EQ(colours[0], (Rgb{0, 0, 136}));
  EXPECT_EQ(std::vector<Rgb>(colours.end() - 2, colours.end()),
            (std::vector<Rgb>{{255, 255, 0}, {0, 255, 0}}));
  EXPECT_EQ(f.page->Plot().Drawing().Colours(), CurveColours::Load());
  EXPECT_EQ(f.EnabledOf({"cmdResetMC", "cmdGetPlot", "cmdMC5", "cmdMonteCarlo"}),
            (Names{"cmdResetMC", "cmdGetPlot", "cmdMC5"}));
}

// A second run starts from the nominal parts with a fresh envelope; Show Extremes redraws the
// plot with the four envelope curves.
TEST(MonteCarlo, EveryRunStartsFromTheNominalPartsWithAFreshEnvelope) {
  PlotPageFixture f(3);
  const DesignRecord nominal = f.record;
  f.Click("cmdMonteCarlo");
  f.random.Feed({0.0f});
  f.Click("cmdMC20");
  f.Click("cmdMC1");
  EXPECT_EQ(Points(f.shared.GainMax, f.record.Nints),
            Envelope(nominal, 1 - 0.5 * double{0.02f}, true));
  f.Click("cmdResetMC");
  EXPECT_TRUE(f.Redrawn());
  std::vector<Rgb> envelopes = LineColours(f.canvas);
  std::erase_if(envelopes, [](Rgb c) {
    return !(c == Rgb{136, 204, 255} || c == Rgb{136, 17, 17});
  });
  EXPECT_EQ(envelopes,
            (std::vector<Rgb>{{136, 204, 255}, {136, 204, 255}, {136, 17, 17}, {136, 17, 17}}));
}

// Order 4: two two-pole stages whose R1 is 0 in every pass; with the delay curve off its
// envelope keeps the reset values.
TEST(MonteCarlo, TwoPoleStagesKeepR1ZeroAndAnUndrawnDelayKeepsItsResetEnvelope) {
  PlotPageFixture f(4);
  f.random.Feed({0.1f, 0.9f, 0.4f});
  std::vector<float> r1;
  f.pump.onPump = [&](int) { r1.insert(r1.end(), {f.record.R[1][1], f.record.R[2][1]}); };
  f.Click("cmdMonteCarlo");
  f.Click("cmdMC10");
  EXPECT_EQ(r1, std::vector<float>(2000, 0.0f));
  const int n = f.record.Nints;
  EXPECT_EQ(Points(f.shared.DelayMin, n), std::vector<float>(n + 1, 1e10f));
  EXPECT_EQ(Points(f.shared.DelayMax, n), std::vector<float>(n + 1, -1e10f));
  EXPECT_NE(Points(f.shared.GainMin, n), Points(f.shared.GainMax, n));
}

// Clear between passes ends the run there; the record returns to nominal and the page is at rest.
TEST(MonteCarlo, ClearStopsARunBetweenPassesAndRunsAreNotNested) {
  PlotPageFixture f(5);
  const DesignRecord nominal = f.record;
  Names lockedDuringRun;
  f.pump.onPump = [&](int call) {
    if (call == 1) {
      lockedDuringRun = f.EnabledOf(LongRunLock::LockedButtons());
      f.page->Click("cmdMC1");  // refused: a second run does not start inside this one
    }
    if (call == 10)
      f.page->Click("cmdReset");
  };
  f.Click("cmdMonteCarlo");
  f.Click("cmdMC5");
  EXPECT_EQ(lockedDuringRun, Names{});
  EXPECT_EQ(f.pump.calls, 10);
  EXPECT_EQ(f.page->Tolerances().PassesDrawn(), 10);
  EXPECT_EQ(f.record.R, nominal.R);
  EXPECT_EQ(f.record.C, nominal.C);
  EXPECT_EQ(Points(f.record.Gain, f.record.Nints), Points(nominal.Gain, nominal.Nints));
  EXPECT_FALSE(f.page->Plot().Drawing().OverlayMode());
  EXPECT_EQ(f.VisibleOf(kToleranceButtons), Names{});
  EXPECT_EQ(f.EnabledOf({"cmdOptimize", "cmdMC5", "cmdGetPlot", "cmdTunePart"}),
            (Names{"cmdMC5", "cmdGetPlot", "cmdTunePart"}));
  EXPECT_EQ(f.shared.OptimizeStop, 1);
}

}  // namespace
}  // namespace kestro
