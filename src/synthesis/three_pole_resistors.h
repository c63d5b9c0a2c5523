// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "synthesis/stage_denominator.h"

namespace kestro {

// R1..R3 (ohms) of a three-pole stage, index 0..2.
using ThreeResistors = std::array<double, 3>;

// Every set of positive resistors that gives the three-pole stage with the capacitors c1 (node 1
// to ground), c2 (feedback) and c3 (node 3 to ground), in farads, exactly the target
// denominator (see StageDenominator::OfParts). For a trial R1 the first and third give R2 + R3 and
// R2 R3, the second gives R3, and the R1 at which R2 R3 agrees is found by a scan and bisection.
// Empty when no positive set exists.
std::vector<ThreeResistors> SolveThreePoleResistors(const StageDenominator& target, double c1,
                                                    double c2, double c3);

}  // namespace kestro
