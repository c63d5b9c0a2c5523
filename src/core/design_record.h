// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestro {

// Family codes of the design record.
enum FamilyCode : int16_t {
  kButterworth = 1,
  kChebyshev = 2,
  kBessel = 3,
  kManual = 4,
};

// Fixed array sizes. Stage, marker and limit indexes start at 1; element 0 is never used.
constexpr int kMaxStage = 11;     // stages 0..11
constexpr int kMaxPoleSlot = 42;  // pole slots 0..42
constexpr int kMaxPoint = 2049;   // response points 0..2049 (Nints at most 2048, one spare)
constexpr int kMaxNints = 2048;
constexpr int kMaxMarker = 10;  // markers 0..10, entries 1..8 used
constexpr int kUsedMarkers = 8;
constexpr int kMaxLimit = 15;  // limits and limit sets 0..15

// Farads: the smallest capacitor the design holds. It stands for an absent capacitor (practically
// open) and is the floor the Design command raises every smaller value to.
constexpr float kCapacitorFloor = 1e-13f;

using StageResistors = std::array<std::array<float, 6>, kMaxStage + 1>;   // [stage][k 0..5]
using StageCapacitors = std::array<std::array<float, 4>, kMaxStage + 1>;  // [stage][k 0..3]
using PointArray = std::array<float, kMaxPoint + 1>;
using LimitTable = std::array<std::array<float, kMaxLimit + 1>, kMaxLimit + 1>;  // [limit][set]

// The one design record shared by every page: the filter, its analysis settings, the computed
// response, the markers, the gain limits and the tuning state. Units: Hz, ohms, farads, dB,
// degrees, seconds. A value-initialised record is all zeros and empty strings.
struct DesignRecord {
  // --- Design parameters ---
  int16_t Family = 0;         // 1 Butterworth, 2 Chebyshev, 3 Bessel, 4 manual
  int16_t Order = 0;          // number of poles, 2..11 (Bessel 2..10)
  float Bandwidth = 0;        // Hz
  float Apass = 0;            // Chebyshev passband ripple, dB
  float NrStages = 0;         // Order/2 (even) or Order/2 - 0.5 (odd); a whole number in a float
  int16_t PartsModified = 0;  // 1: the parts are the user's and the Design command keeps them
  // Capacitors of a family design from a standard series: 6, 12 or 24 values a decade (E6, E12,
  // E24); 0: computed capacitors. A choice of this run, not kept in the session file.
  int16_t StandardCaps = 0;

  // --- Components ---
  StageResistors R{};       // R1..R3 of the network, R4/R5 the amplifier gain pair
  StageCapacitors C{};      // C1..C3
  StageResistors Rsaved{};  // copy taken before rounding and Monte Carlo
  StageCapacitors Csaved{};
  float Rnom = 0;  // nominal resistor chosen from the bandwidth
  std::array<float, kMaxStage + 1> StageGain{};

  // --- Poles of the normalised prototype (synthesis working data) ---
  std::array<float, kMaxPoleSlot + 1> PoleRe{};  // magnitudes of the real parts
  std::array<float, kMaxPoleSlot + 1> PoleIm{};  // imaginary parts of the pairs

  // --- Analysis settings ---
  float Fstart = 0;          // Hz
  float Fstop = 0;           // Hz
  int16_t Nints = 0;         // analysis intervals; the response has Nints + 1 points
  float dBtop = 0;           // top of the gain axis, dB
  float dBbottom = 0;        // bottom of the gain axis, dB
  int16_t NrYintervals = 0;  // horizontal divisions of the plot
  float DelayTop = 0;        // top of the delay axis, s
  float dBperDiv = 0;        // derived, also scratch for the design page
  int16_t FreqAxisMode = 0;  // always 2: logarithmic axis

  // --- Response ---
  PointArray Freq{};
  PointArray Gain{};
  PointArray Phase{};
  PointArray Delay{};
  PointArray GridFreq{};
  int16_t NrGridFreqs = 0;  // index of the last valid GridFreq entry, -1 for none
  float GainAt = 0;         // dB, last single-frequency evaluation
  float PhaseAt = 0;        // degrees, last single-frequency evaluation
  float Omega = 0;          // rad/s of the last single-frequency evaluation

  // --- Markers ---
  std::array<float, kMaxMarker + 1> MarkerFreq{};  // Hz, entries 1..8, 0 means none
  int16_t NrMarkers = 0;
  int16_t MarkersOn = 0;

  // --- Gain limits (only limit set 1 in use) ---
  LimitTable LimitShape{};
  LimitTable LimitStart{};
  LimitTable LimitStop{};
  LimitTable LimitTop{};
  LimitTable LimitBottom{};
  std::array<int16_t, kMaxLimit + 1> NrLimits{};  // limits per set
  int16_t LimitsOn = 0;
  int16_t LimitEntrySet = 0;
  int16_t LimitEntryShape = 0;

  // --- Op-amp the stages are analysed with ---
  float OpampGbw = 0;        // gain-bandwidth product, Hz; 0: the ideal follower
  float OpampSlewRate = 0;   // V/us; 0: not given
  float OpampAmplitude = 0;  // output amplitude the slew rate is checked at, V peak
  int16_t OpampOn = 0;       // 1: "Analyse with this op-amp"; 0: every stage a follower

  // --- Tuning state ---
  int16_t Rounded = 0;
  float MCTolerance = 0;

  // --- Session ---
  std::string SessionFile;

  // --- Shared working value ---
  float Pi = 0;

  // The defaults set before an old design file is read over the record.
  void SetOpeningDefaults();
};

// Number of stages of an order: Order/2 for even orders, (Order-1)/2 for odd ones,
// computed as the record does (Order/2 - 0.5 in single precision).
float StagesForOrder(int16_t order);

// NrStages as a whole count, clamped to the stage arrays so it can always be used as a bound.
int StageCount(const DesignRecord& record);

}  // namespace kestro
