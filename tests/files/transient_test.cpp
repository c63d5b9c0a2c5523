#include "analysis/transient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/response_engine.h"

namespace kestro {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// Third-order Butterworth, 1 kHz, as one unity-gain three-pole stage with R1 = R2 = R3 = R.
// With c_i = R C_i w the denominator 1 + (c1 + 3c3)s + 2c3(c1 + c2)s^2 + c1c2c3 s^3 must equal
// 1 + 2s + 2s^2 + s^3, so c1 = 2 - 3c3, c2 = 1/c3 - c1 and 1 - 7c3 + 12c3^2 - 9c3^3 = 0.
DesignRecord ButterworthThree(double bandwidth) {
  double lo = 0.1, hi = 0.3;  // the cubic falls through zero once in here
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (lo + hi);
    const double f = 1 - 7 * mid + 12 * mid * mid - 9 * mid * mid * mid;
    (f > 0 ? lo : hi) = mid;
  }
  const double c3 = lo, c1 = 2 - 3 * c3, c2 = 1 / c3 - c1;
  const double r = 47000, scale = 1 / (r * kTwoPi * bandwidth);
  DesignRecord record{};
  record.Order = 3;
  record.R[1] = {0, 47000, 47000, 47000, 1e-5f, 1};
  record.C[1] = {0, static_cast<float>(c1 * scale), static_cast<float>(c2 * scale),
                 static_cast<float>(c3 * scale)};
  return record;
}

// A two-pole stage with a corner far above every harmonic: it passes the square wave unchanged.
DesignRecord Transparent() {
  DesignRecord record{};
  record.Order = 2;
  record.R[1] = {0, 0, 1, 1, 1e-5f, 1};
  record.C[1] = {0, 1e-13f, 2e-13f, 1e-13f};
  return record;
}

// The textbook series of a +-1 square wave, (4/pi) sum sin(n theta)/n over odd n up to 511.
double SquareSeries(double degrees) {
  double sum = 0;
  for (int n = 1; n <= 511; n += 2)
    sum += std::sin(n * degrees * M_PI / 180) / n;
  return 4 / M_PI * sum;
}

// Steady-state output of the normalised Butterworth y''' + 2y'' + 2y' + y = u for a +-1
// square wave u of the given period (in units of 1/wc), integrated in time (RK4, 3600 steps
// per period, 12 periods); element t is the output at t degrees of the last period.
std::vector<double> SimulatedSquareResponse(double period) {
  const int steps = 3600;
  const double dt = period / steps;
  std::array<double, 3> y{};
  auto slope = [](const std::array<double, 3>& v, double u) {
    return std::array<double, 3>{v[1], v[2], u - v[0] - 2 * v[1] - 2 * v[2]};
  };
  auto plus = [](std::array<double, 3> v, const std::array<double, 3>& d, double h) {
    for (int i = 0; i < 3; ++i)
      v[i] += h * d[i];
    return v;
  };
  std::vector<double> degrees;
  for (int p = 0; p < 12; ++p) {
    for (int i = 0; i < steps; ++i) {
      if (p == 11 && i % 10 == 0)
        degrees.push_back(y[0]);
      const double u = i < steps / 2 ? 1 : -1;
      const auto k1 = slope(y, u), k2 = slope(plus(y, k1, dt / 2), u);
      const auto k3 = slope(plus(y, k2, dt / 2), u), k4 = slope(plus(y, k3, dt), u);
      for (int j = 0; j < 3; ++j)
        y[j] += dt / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]);
    }
  }
  degrees.push_back(y[0]);
  return degrees;
}

TEST(ComputeTransient, ButterworthMatchesATimeDomainSimulation) {
  DesignRecord record = ButterworthThree(1000);
  float gain = 0, phase = 0;
  ResponseAt(record, 1000, gain, phase);
  ASSERT_NEAR(gain, -3.0103, 0.01) << "the reference filter is not a 1 kHz Butterworth";
  TransientState state;
  state.SquareFreq = 300;
  ComputeTransient(record, state);
  const std::vector<double> simulated = SimulatedSquareResponse(kTwoPi * 1000 / 300);
  const double peak = *std::max_element(simulated.begin(), simulated.end());
  // The step of 2 overshoots by twice the 8.15 % of a third-order Butterworth.
  EXPECT_NEAR(state.WavePeak, peak, 2e-3);
  EXPECT_GT(state.WavePeak, 1.0f);
  for (int t = 0; t <= 360; ++t) {
    EXPECT_NEAR(state.TransientWave[t], simulated[t] / peak, 2e-3) << "t = " << t;
  }
}

TEST(ComputeTransient, TheHalvesMirrorAndThePeakIsOne) {
  DesignRecord record = ButterworthThree(1000);
  TransientState state;
  state.SquareFreq = 300;
  ComputeTransient(record, state);
  float largest = -2;
  for (int t = -36; t <= 360; ++t)
    largest = std::fmax(largest, state.TransientWave[t]);
  EXPECT_EQ(largest, 1.0f);
  EXPECT_EQ(state.TransientWave[180], -state.TransientWave[0]);
  for (int t = 0; t <= 180; ++t)
    EXPECT_EQ(state.TransientWave[t + 180], -state.TransientWave[t]);
  for (int t = -36; t <= 0; ++t)
    EXPECT_EQ(state.TransientWave[t], state.TransientWave[t + 360]);
}

TEST(ComputeTransient, HarmonicsCarryTheFilterGainAndPhase) {
  DesignRecord record = ButterworthThree(1000);
  TransientState state;
  state.SquareFreq = 250;
  ComputeTransient(record, state);
  const struct { int n; } harmonics[] = {{1}, {3}, {5}, {17}, {511}};
  for (const auto& h : harmonics) {
    // |H| of a third-order Butterworth: 1/sqrt(1 + (f/fc)^6).
    const double ratio = h.n * 250.0 / 1000.0;
    const double expected = 1.273239 / std::sqrt(1 + std::pow(ratio, 6));
    EXPECT_NEAR(state.HarmAmp[h.n], expected, 2e-3 * expected + 1e-9) << "harmonic " << h.n;
  }
  EXPECT_EQ(state.HarmAmp[2], 0.0f);
  EXPECT_EQ(state.HarmAmp[513], 0.0f);
  // At the corner the phase of a third-order Butterworth is -135 degrees.
  EXPECT_NEAR(state.HarmPhase[1],
              -std::atan2(2 * 0.25 - 0.25 * 0.25 * 0.25, 1 - 2 * 0.25 * 0.25) * 180 / M_PI, 0.1);
}

TEST(ComputeTransient, ATransparentFilterGivesTheSquareWaveSeries) {
  DesignRecord record = Transparent();
  TransientState state;
  state.SquareFreq = 1000;
  ComputeTransient(record, state);
  double peak = -1e38;
  for (int t = 0; t <= 180; ++t)
    peak = std::fmax(peak, SquareSeries(t));
  EXPECT_NEAR(state.WavePeak, peak, 1e-4);
  for (int t : {1, 10, 45, 90, 135, 179}) {
    EXPECT_NEAR(state.TransientWave[t], SquareSeries(t) / peak, 1e-4) << "t = " << t;
    EXPECT_NEAR(state.TransientWave[t + 180], -SquareSeries(t) / peak, 1e-4) << "t = " << t;
  }
}

TEST(ComputeTransient, FarAboveTheBandTheOutputIsTheFundamental) {
  DesignRecord record = ButterworthThree(1000);
  TransientState state;
  state.SquareFreq = 50000;
  ComputeTransient(record, state);
  // |H(50 kHz)| = 1/50^3; harmonic 3 adds at most 1/81 of the fundamental.
  const double fundamental = 1.273239 / std::pow(50.0, 3);
  EXPECT_NEAR(state.WavePeak, fundamental, 0.015 * fundamental);
  EXPECT_LT(state.WavePeak, 1e-4f);
}

TEST(ComputeTransient, ComponentsListTheFirstNine) {
  DesignRecord record = ButterworthThree(1000);
  TransientState state;
  state.SquareFreq = 1000;
  const auto components = TransientComponents(record, state);
  for (int i = 0; i < 9; ++i) {
    const int n = 2 * i + 1;
    EXPECT_EQ(components[i].harmonic, n);
    EXPECT_EQ(components[i].frequency, 1000.0f * n);
    EXPECT_NEAR(components[i].gainDb, -10 * std::log10(1 + std::pow(n, 6.0)), 0.05) << n;
  }
}

TEST(ComputeTransient, ANullFilterLeavesAZeroWave) {
  DesignRecord record{};  // no stages: the gain is 0 dB everywhere, so use a huge attenuation
  record.Order = 2;
  record.R[1] = {0, 0, 1e10f, 1e10f, 1e-5f, 1};
  record.C[1] = {0, 1e-13f, 1, 1};
  TransientState state;
  state.SquareFreq = 1e6f;
  ComputeTransient(record, state);
  for (int t = -36; t <= 360; ++t)
    EXPECT_TRUE(std::isfinite(state.TransientWave[t])) << t;
}

}  // namespace
}  // namespace kestro
