// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace kestro {

// One stored Bessel pole, rad/s.
struct BesselPole {
  float re = 0;
  float im = 0;
};

// The poles of the Bessel prototype of order n (1..10), the roots of the reverse Bessel
// polynomial normalised to a group delay of 1 s at zero frequency, in the order the pole page
// lists them; entries n..9 are zero.
const std::array<BesselPole, 10>& BesselPoleTable(int n);

}  // namespace kestro
