// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/design_record.h"

namespace kestro {

// One family's answer to "Fit to limits": the lowest order and a bandwidth at which the analysed
// gain keeps every gain limit of set 1 (limit error 0), or why there is none.
struct FitRow {
  int16_t family = 0;
  bool met = false;
  int16_t order = 0;
  float bandwidth = 0;  // Hz
  float ripple = 0;     // dB, Chebyshev only
  float marginDb = 0;   // the smallest distance of the gain from any limit, dB
  std::string message;  // why no row, when not met
};

// The largest Chebyshev ripple the floor limits (shape 1) allow: the depth of the highest floor
// below 0 dB, less 0.01 dB so that the passband valleys stay clear of it, held within
// 0.001..3 dB; 3 dB when there is no floor.
float FitRipple(const DesignRecord& record);

// For Butterworth, Chebyshev (ripple from FitRipple) and Bessel, in this order: the lowest order
// from 2 up to 11 (Bessel 10) for which a bandwidth exists, between a hundredth of Fstart and a
// hundred times Fstop (at most 10 MHz), at which the design analysed over the record's sweep
// has limit error 0. The bandwidth is the one at which the nearest floor and the nearest ceiling
// are equally far from the gain. The record is not changed. A family with no such order says "no
// order up to 11 meets the mask" ("... 10 ..." for Bessel); with no gain limits, or a sweep that
// cannot be analysed, every row says so.
std::vector<FitRow> FitToLimits(const DesignRecord& record);

// Makes the record the design of a row (family, order, bandwidth, and the ripple of a Chebyshev
// row) with its parts left to the synthesis; the Design command then builds it. A row that was
// not met changes nothing.
void ApplyFitRow(DesignRecord& record, const FitRow& row);

}  // namespace kestro
