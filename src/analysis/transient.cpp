// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/transient.h"

#include <cmath>

#include "analysis/response_engine.h"

namespace kestro {

namespace {

// 4/pi (the square wave's Fourier amplitude) and degrees per radian, with exactly the digits the
// waveform has always been computed with, so that KESTRO.TRAN files stay comparable.
constexpr double kFourOverPi = 1.273239;
constexpr double kDegreesPerRadian = 57.2958;

// Gain factor and phase of every odd harmonic 1..511 of the square wave.
void ComputeHarmonics(DesignRecord& record, TransientState& state) {
  for (int n = 1; n <= TransientState::kLastHarmonic; n += 2) {
    const float f = static_cast<float>(n) * state.SquareFreq;
    ResponseAt(record, f, record.GainAt, record.PhaseAt);
    state.HarmAmp[n] = static_cast<float>(std::pow(10.0, record.GainAt / 20.0) * kFourOverPi);
    state.HarmPhase[n] = record.PhaseAt;
  }
}

// First half period, t = 0..180 degrees, summed over the odd harmonics.
void SumFirstHalf(TransientState& state) {
  for (float t = 0; t <= 180; t += 1) {
    const double theta = t / kDegreesPerRadian;
    double sum = 0;
    for (int n = 1; n <= TransientState::kLastHarmonic; n += 2) {
      sum += static_cast<double>(state.HarmAmp[n]) / n *
             std::sin(n * theta + state.HarmPhase[n] / kDegreesPerRadian);
    }
    state.TransientWave[static_cast<int>(t)] = static_cast<float>(sum);
  }
}

// The second half period is the negated first (odd harmonics only); t = -36..0 repeats the last
// tenth of the period before the rising edge.
void CompleteWave(DegreeWave& wave) {
  for (int t = 180; t <= 360; ++t)
    wave[t] = -wave[t - 180];
  for (int t = -36; t <= 0; ++t)
    wave[t] = wave[t + 360];
}

}  // namespace

void ComputeTransient(DesignRecord& record, TransientState& state) {
  ComputeHarmonics(record, state);
  SumFirstHalf(state);
  CompleteWave(state.TransientWave);
  float peak = -1e38f;  // below any wave value, as the peak search has always started
  for (int t = -36; t <= 360; ++t)
    peak = std::fmax(peak, state.TransientWave[t]);
  state.WavePeak = peak;
  // A filter that passes nothing leaves a zero wave, which is kept rather than divided by 0.
  if (!(peak > 0) || !std::isfinite(peak))
    return;
  for (int t = -36; t <= 360; ++t)
    state.TransientWave[t] /= peak;
}

std::array<TransientComponent, 9> TransientComponents(DesignRecord& record,
                                                      const TransientState& state) {
  std::array<TransientComponent, 9> components;
  for (int i = 0; i < 9; ++i) {
    const int n = 2 * i + 1;
    TransientComponent& component = components[i];
    component.harmonic = n;
    component.frequency = static_cast<float>(n) * state.SquareFreq;
    ResponseAt(record, component.frequency, record.GainAt, record.PhaseAt);
    component.gainDb = record.GainAt;
  }
  return components;
}

}  // namespace kestro
