#include "plotpage/monte_carlo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "plot_test_context.h"
#include "plotpage/long_run_lock.h"
#include "plotpage/plot_page_controls.h"

namespace kestro {
namespace {

using test::Kind;
using test::Names;
using test::PlotPageFixture;

const Names kToleranceButtons{"cmdMC1", "cmdMC2", "cmdMC5", "cmdMC10", "cmdMC20"};

// The gain at every point of `record` with each part of stages 1..Order scaled by `factor`,
// computed as the passes must compute it: in double, stored as single.
std::vector<float> ScaledGain(DesignRecord record, double factor) {
  for (int s = 1; s <= record.Order; ++s) {
    for (int k = 1; k <= 3; ++k) {
      record.R[s][k] = static_cast<float>(record.R[s][k] * factor);
      record.C[s][k] = static_cast<float>(record.C[s][k] * factor);
    }
  }
  Analyze(record);
  return {record.Gain.begin(), record.Gain.begin() + record.Nints + 1};
}

std::vector<float> Points(const PointArray& values, int nints) {
  return {values.begin(), values.begin() + nints + 1};
}

// Point by point the lower (or upper) of two curves: the envelope of the passes widened by the
// nominal curve drawn over them.
std::vector<float> Bound(std::vector<float> a, const std::vector<float>& b, bool upper) {
  for (std::size_t i = 0; i < a.size(); ++i)
    a[i] = upper ? std::max(a[i], b[i]) : std::min(a[i], b[i]);
  return a;
}

TEST(MonteCarlo, PrepareShowsTheToleranceButtonsAndKeepsTheNominalParts) {
  PlotPageFixture f(5);
  f.Click("cmdMonteCarlo");
  EXPECT_EQ(f.VisibleOf({"cmdMC1", "cmdMC2", "cmdMC5", "cmdMC10", "cmdMC20", "cmdResetMC"}),
            (Names{"cmdMC1", "cmdMC2", "cmdMC5", "cmdMC10", "cmdMC20", "cmdResetMC"}));
  EXPECT_EQ(f["cmdMC10"].face, (Rgb{187, 255, 255}));
  EXPECT_EQ(f.EnabledOf({"cmdDesign", "cmdQuit", "cmdTunePart", "cmdResetMC", "cmdLimits",
                         "cmdGetPlot", "cmdMonteCarlo", "cmdReset", "cmdMC5", "cmdDelay"}),
            (Names{"cmdReset", "cmdMC5", "cmdDelay"}));
  for (std::size_t s = 1; s <= 2; ++s) {
    EXPECT_TRUE(std::equal(&f.record.R[s][1], &f.record.R[s][4], &f.record.Rsaved[s][1]));
    EXPECT_TRUE(std::equal(&f.record.C[s][1], &f.record.C[s][4], &f.record.Csaved[s][1]));
  }
  // Only the marker data area is painted.
  ASSERT_EQ(f.canvas.commands.size(), 1u);
  EXPECT_EQ(test::Corners(f.canvas.commands[0]), (std::vector<float>{300, 7280, 4200, 9800}));
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
  f.Click("cmdMC5");
  EXPECT_EQ(f.pump.calls, 1000);
  EXPECT_EQ(f.random.draws, 1000 * 5 * 6);  // every part of stages 1..Order, every pass
  EXPECT_EQ(f.record.MCTolerance, 0.1f);
  EXPECT_EQ(std::tie(f.record.R, f.record.C), std::tie(nominal.R, nominal.C));
  EXPECT_EQ((std::vector<int>{f.record.Family, f.record.PartsModified, f.record.Rounded}),
            (std::vector<int>{nominal.Family, nominal.PartsModified, 1}));
  const std::vector<float> passGain = ScaledGain(nominal, 1 - 0.5 * double{0.1f});
  const std::vector<float> nominalGain = Points(nominal.Gain, nominal.Nints);
  EXPECT_EQ(Points(f.shared.GainMin, f.record.Nints), Bound(passGain, nominalGain, false));
  EXPECT_EQ(Points(f.shared.GainMax, f.record.Nints), Bound(passGain, nominalGain, true));
  // Passes only add curves; the last two curves are the nominal gain and delay in yellow, green.
  EXPECT_EQ(test::FindPrint(f.canvas, "Gain, dB:"), f.canvas.commands.size());
  std::vector<Rgb> curveColours;
  for (const auto& c : f.canvas.OfKind(Kind::Line))
    curveColours.push_back(c.colour);
  ASSERT_EQ(curveColours.size(), 2002u);
  EXPECT_EQ(std::vector<Rgb>(curveColours.end() - 2, curveColours.end()),
            (std::vector<Rgb>{{255, 255, 0}, {0, 255, 0}}));
  EXPECT_EQ(curveColours[0], (Rgb{0, 0, 136}));  // the colour sets cycle from set 1
  EXPECT_EQ(f.page->Plot().Drawing().Colours(), CurveColours::Load());
  EXPECT_EQ(f.EnabledOf({"cmdResetMC", "cmdGetPlot", "cmdMC5", "cmdMonteCarlo"}),
            (Names{"cmdResetMC", "cmdGetPlot", "cmdMC5"}));
  EXPECT_EQ(f["cmdMC5"].face, (Rgb{17, 255, 255}));
  EXPECT_EQ(f["cmdResetMC"].face, (Rgb{204, 255, 255}));
}

TEST(MonteCarlo, EveryRunStartsFromTheNominalPartsWithAFreshEnvelope) {
  PlotPageFixture f(3);
  const DesignRecord nominal = f.record;
  f.Click("cmdMonteCarlo");
  f.random.Feed({0.0f});
  f.Click("cmdMC20");
  f.Click("cmdMC1");
  EXPECT_EQ(f["cmdMC20"].face, (Rgb{187, 255, 255}));
  EXPECT_EQ(Points(f.shared.GainMax, f.record.Nints),
            Bound(ScaledGain(nominal, 1 - 0.5 * double{0.02f}), Points(nominal.Gain, nominal.Nints),
                  true));
  // Show Extremes: a full redraw, then the four envelope curves.
  f.Click("cmdResetMC");
  EXPECT_TRUE(f.Redrawn());
  std::vector<Rgb> envelopes;
  for (const auto& c : f.canvas.OfKind(Kind::Line)) {
    if (c.colour == Rgb{136, 204, 255} || c.colour == Rgb{136, 17, 17})
      envelopes.push_back(c.colour);
  }
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
  EXPECT_EQ(std::tie(f.record.R, f.record.C), std::tie(nominal.R, nominal.C));
  EXPECT_EQ(Points(f.record.Gain, f.record.Nints), Points(nominal.Gain, nominal.Nints));
  EXPECT_FALSE(f.page->Plot().Drawing().OverlayMode());
  EXPECT_EQ(f.VisibleOf(kToleranceButtons), Names{});
  EXPECT_EQ(f.EnabledOf({"cmdOptimize", "cmdMC5", "cmdGetPlot", "cmdTunePart"}),
            (Names{"cmdMC5", "cmdGetPlot", "cmdTunePart"}));
  EXPECT_EQ(f.shared.OptimizeStop, 1);
}

}  // namespace
}  // namespace kestro
