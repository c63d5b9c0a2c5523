#include "analysis/transient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/response_engine.h"
#include "support/scripted_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

DesignRecord Butterworth3(float bandwidth) {
  DesignRecord r{};
  r.SetOpeningDefaults();
  r.Family = kButterworth;
  r.Order = 3;
  r.Bandwidth = bandwidth;
  test::ScriptedDialogs dialogs;
  EXPECT_TRUE(SynthesizeFamilyDesign(r, dialogs));
  return r;
}

// Steady-state output of the normalised Butterworth y''' + 2y'' + 2y' + y = u for a +-1 square
// wave u of the given period (in units of 1/wc), integrated in time (RK4, 3600 steps per period,
// 12 periods); element t is the output at t degrees of the last period.
std::vector<double> SimulatedSquareResponse(double period) {
  using State = std::array<double, 3>;
  const int steps = 3600;
  const double dt = period / steps;
  State y{};
  const auto slope = [](const State& v, double u) {
    return State{v[1], v[2], u - v[0] - 2 * v[1] - 2 * v[2]};
  };
  const auto plus = [](State v, const State& d, double h) {
    for (int i = 0; i < 3; ++i)
      v[i] += h * d[i];
    return v;
  };
  std::vector<double> degrees;
  for (int i = 0; i < 12 * steps; ++i) {
    if (i >= 11 * steps && i % 10 == 0)
      degrees.push_back(y[0]);
    const double u = i % steps < steps / 2 ? 1 : -1;
    const State k1 = slope(y, u), k2 = slope(plus(y, k1, dt / 2), u);
    const State k3 = slope(plus(y, k2, dt / 2), u), k4 = slope(plus(y, k3, dt), u);
    for (int j = 0; j < 3; ++j)
      y[j] += dt / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]);
  }
  degrees.push_back(y[0]);
  return degrees;
}

TEST(ComputeTransient, ButterworthMatchesATimeDomainSimulation) {
  DesignRecord record = Butterworth3(1000);
  float gain = 0, phase = 0;
  ResponseAt(record, 1000, gain, phase);
  ASSERT_NEAR(gain, -3.0103, 0.01) << "the reference filter is not a 1 kHz Butterworth";
  TransientState state;
  state.SquareFreq = 300;
  ComputeTransient(record, state);
  const std::vector<double> simulated = SimulatedSquareResponse(2 * M_PI * 1000 / 300);
  const double peak = *std::max_element(simulated.begin(), simulated.end());
  // The step of 2 overshoots by twice the 8.15 % of a third-order Butterworth.
  EXPECT_NEAR(state.WavePeak, peak, 2e-3);
  EXPECT_GT(state.WavePeak, 1.0f);
  for (int t = -36; t <= 360; ++t)
    EXPECT_NEAR(state.TransientWave[t], simulated[(t + 360) % 360] / peak, 2e-3) << "t = " << t;
  EXPECT_EQ(state.TransientWave[180], -state.TransientWave[0]);
  EXPECT_EQ(*std::max_element(&state.TransientWave[-36], &state.TransientWave[360] + 1), 1.0f);
  for (int i = 0; i < 9; ++i) {  // the first nine components and the gain there
    const int n = 2 * i + 1;
    const TransientComponent c = TransientComponents(record, state)[i];
    EXPECT_EQ(std::tie(c.harmonic, c.frequency), std::tuple(n, 300.0f * n));
    EXPECT_NEAR(c.gainDb, -10 * std::log10(1 + std::pow(0.3 * n, 6.0)), 0.05) << n;
  }
}

TEST(ComputeTransient, TransparentAndOpaqueFilters) {
  // A corner far above every harmonic passes the square-wave series (4/pi) sum sin(n t)/n over
  // odd n up to 511 unchanged.
  DesignRecord record{};
  record.Order = 2;
  record.R[1] = {0, 0, 1, 1, 1e-5f, 1};
  record.C[1] = {0, 1e-13f, 2e-13f, 1e-13f};
  const auto series = [](int degrees) {
    double sum = 0;
    for (int n = 1; n <= 511; n += 2)
      sum += std::sin(n * degrees * M_PI / 180) / n;
    return 4 / M_PI * sum;
  };
  TransientState state;
  state.SquareFreq = 1000;
  ComputeTransient(record, state);
  double peak = -1e38;
  for (int t = 0; t <= 180; ++t)
    peak = std::fmax(peak, series(t));
  EXPECT_NEAR(state.WavePeak, peak, 1e-4);
  for (int t : {1, 10, 45, 90, 135, 179}) {
    EXPECT_NEAR(state.TransientWave[t], series(t) / peak, 1e-4) << "t = " << t;
    EXPECT_NEAR(state.TransientWave[t + 180], -series(t) / peak, 1e-4) << "t = " << t;
  }
  // Far above the band only the fundamental, |H(50 kHz)| = 1/50^3, is left.
  record = Butterworth3(1000);
  state.SquareFreq = 50000;
  ComputeTransient(record, state);
  const double fundamental = 1.273239 / std::pow(50.0, 3);
  EXPECT_NEAR(state.WavePeak, fundamental, 0.015 * fundamental);  // harmonic 3 adds < 1/81
  // A filter that passes nothing leaves a finite wave.
  record.R[1] = {0, 0, 1e10f, 1e10f, 1e-5f, 1};
  record.C[1] = {0, 1e-13f, 1, 1};
  record.Order = 2;
  state.SquareFreq = 1e6f;
  ComputeTransient(record, state);
  for (int t = -36; t <= 360; ++t)
    EXPECT_TRUE(std::isfinite(state.TransientWave[t])) << t;
}

}  // namespace
}  // namespace kestro
