// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/transient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

DesignRecord Butterworth3() {
  DesignRecord r{};
  r.SetOpeningDefaults();
  r.Family = kButterworth, r.Order = 3, r.Bandwidth = 1000;
  EXPECT_TRUE(SynthesizeFamilyDesign(r));
  return r;
}

TEST(ComputeTransient, ButterworthMatchesTheSquareWaveSeriesThroughTheIdealFilter) {
  DesignRecord record = Butterworth3();
  TransientState state;
  state.SquareFreq = 300;
  ComputeTransient(record, state);
  // Steady state of H(s) = 1 / ((s + 1)(s^2 + s + 1)), s in units of 2 pi 1 kHz, driven by the
  // +-1 square wave (4/pi) sum sin(n t)/n over odd n.
  const auto ideal = [](int degrees) {
    std::complex<double> sum = 0;
    for (int n = 1; n <= 511; n += 2) {
      const std::complex<double> s(0, 0.3 * n);
      sum += std::polar(4 / M_PI / n, n * degrees * M_PI / 180) / ((s + 1.0) * (s * s + s + 1.0));
    }
    return sum.imag();
  };
  double peak = -1;
  for (int t = 0; t < 360; ++t)
    peak = std::max(peak, ideal(t));
  // The step of 2 overshoots by twice the 8.15 % of a third-order Butterworth.
  EXPECT_NEAR(state.WavePeak, peak, 2e-3);
  EXPECT_GT(state.WavePeak, 1.0f);
  for (int t = -36; t <= 360; ++t)
    EXPECT_NEAR(state.TransientWave[t], ideal(t) / peak, 2e-3) << "t = " << t;
  EXPECT_EQ(*std::max_element(&state.TransientWave[-36], &state.TransientWave[360] + 1), 1.0f);
}

// Far above the band only the fundamental, |H(50 kHz)| = 1/50^3, is left; a filter that passes
// nothing leaves a finite wave.
TEST(ComputeTransient, FarAboveTheBand) {
  DesignRecord record = Butterworth3();
  TransientState state;
  state.SquareFreq = 50000;
  ComputeTransient(record, state);
  const double fundamental = 4 / M_PI / std::pow(50.0, 3);
  EXPECT_NEAR(state.WavePeak, fundamental, 0.015 * fundamental);  // harmonic 3 adds < 1/81
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
