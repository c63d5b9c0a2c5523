// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "core/degree_wave.h"
#include "core/design_record.h"

namespace kestro {

// Page state of the square-wave response: the square-wave frequency, the harmonics passed
// through the filter and the normalised output over one period.
struct TransientState {
  static constexpr int kLastHarmonic = 511;  // odd harmonics 1..511 are computed
  static constexpr int kHarmonicSlots = 2223;

  float SquareFreq = 0;                           // Hz, fundamental of the square wave
  std::array<float, kHarmonicSlots> HarmAmp{};    // 4/pi times the filter gain at harmonic n
  std::array<float, kHarmonicSlots> HarmPhase{};  // filter phase at harmonic n, degrees
  DegreeWave TransientWave;                       // output at phase t, largest value 1
  float WavePeak = 0;                             // largest output before normalisation
  DegreeWave SavedWave;                           // waveform read back from the transient file
};

// Steady-state response of the filter to a +-1 square wave at SquareFreq, rising at t = 0 and
// falling at t = 180 degrees: the Fourier sum (4/pi) sum sin(n theta)/n over odd n, each harmonic
// scaled by the filter's gain and shifted by its phase (ResponseAt, which also sets GainAt and
// PhaseAt of the record). Fills HarmAmp, HarmPhase, TransientWave for t = -36..360, and WavePeak.
void ComputeTransient(DesignRecord& record, TransientState& state);

// One of the first nine components: harmonic number, frequency (Hz) and filter gain there (dB).
struct TransientComponent {
  int harmonic = 0;
  float frequency = 0;
  float gainDb = 0;
};

// The fundamental and the odd harmonics 3..17 of SquareFreq with the filter gain at each.
std::array<TransientComponent, 9> TransientComponents(DesignRecord& record,
                                                      const TransientState& state);

}  // namespace kestro
