// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "core/design_record.h"

namespace kestro {

// What a stage does, from its parts as they are now (after rounding, tuning or hand edits too).
struct StageFigures {
  int stage = 0;                 // 1..NrStages
  bool threePole = false;        // the stage with R1 and C1: a real pole and a pair
  double realPoleHz = 0;         // three-pole stage: the real pole's frequency; 0 otherwise
  double f0Hz = 0;               // natural frequency of the pair
  double q = 0;                  // quality factor of the pair
  double neededGbwHz = 0;        // smallest GBW keeping the gain within 0.1 dB up to 3 f0
  std::optional<double> margin;  // GBW / needed, with an op-amp chosen (a GBW given)
};

// Every stage 1..NrStages of the record. A stage whose parts give no pair (an absent capacitor)
// has f0 = Q = 0 and a needed GBW of 0.
std::vector<StageFigures> ComputeStageFigures(const DesignRecord& record);

// The smallest GBW (Hz) at which the stage's gain stays within toleranceDb of its gain with the
// follower at every frequency up to 3 x f0Hz, found by bisection in the logarithm of the GBW.
// 0 when f0Hz is not a finite positive number.
double NeededGbw(const DesignRecord& record, int stage, double f0Hz, double q,
                 double toleranceDb = 0.1);

// The op-amp's slew-rate limit: the full-power bandwidth SR / (2 pi amplitude) in Hz, present
// when a positive slew rate and amplitude are given, and whether it is below the filter's
// bandwidth.
struct OpampFigures {
  std::optional<double> fullPowerBandwidthHz;
  bool fullPowerBelowBandwidth = false;
};

OpampFigures ComputeOpampFigures(const DesignRecord& record);

}  // namespace kestro
