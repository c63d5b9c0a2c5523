// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/design_record.h"

namespace kestro {

// Every pole of the normalised prototype, both halves of each conjugate pair, as the pole page
// lists them: pole k = PoleX[k] + j PoleY[k], k = 1..Order (rad/s, PoleX never positive).
struct PoleList {
  std::array<float, kMaxPoleSlot + 1> PoleX{};
  std::array<float, kMaxPoleSlot + 1> PoleY{};
};

// Highest order of the stored Bessel table.
constexpr int16_t kMaxBesselPoleOrder = 10;

// Fills poles 1..Order from Family, Order and Apass, independently of the synthesis poles:
// Butterworth on the unit circle, Chebyshev by scaling those by sinh a and cosh a, Bessel from the
// stored table (a Bessel design above order 10 is lowered to 10 in the record). Any other family
// leaves the list as it was. An order outside the list's slots computes nothing.
void ComputePoles(DesignRecord& record, PoleList& poles);

}  // namespace kestro
