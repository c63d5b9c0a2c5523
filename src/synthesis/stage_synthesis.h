// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// Sallen-Key cascade synthesis, run in this order: CountStages, ChooseRnom, AssignResistors,
// ComputeFamilyPoles, ComputeCaps. All work on the record.

// NrStages = Order/2 for even orders, Order/2 - 0.5 for odd ones.
void CountStages(DesignRecord& record);
// Rnom (ohms) from Bandwidth (Hz): below 50 -> 1M, below 100 -> 470k, below 200 -> 220k,
// below 500 -> 100k, up to 1000 -> 47k, up to 2000 -> 22k, up to 5000 -> 10k, above -> 4.7k.
void ChooseRnom(DesignRecord& record);
// R1..R3 of stages 1..11 cleared; R2 = R3 = Rnom in every used stage; R1 = Rnom in the
// three-pole stage 1 of an odd order.
void AssignResistors(DesignRecord& record);

// Solves every stage's capacitors from the poles and Bandwidth for the follower (K = 1): the
// three-pole stage 1 of an odd order by a root search in C1 (falling back to a coarse-to-fine
// search at a working gain of 1.00001 where the follower has no positive solution), the two-pole
// stages in closed form (K = StageGain = 1).
// Every capacitor of stages 0..11 starts at the 1e-13 floor and StageGain at 1; R4 = 1e-5, R5 = 1.
// Returns false on failure (an order outside 2..kMaxDesignOrder, a search that finds no solution,
// a value that is not a finite positive number): it stops there and leaves the failed stage and
// every later stage at the 1e-13 floor. The caller reports the failure.
[[nodiscard]] bool ComputeCaps(DesignRecord& record);

// The whole synthesis sequence above for a family design. Returns ComputeCaps' result.
[[nodiscard]] bool SynthesizeFamilyDesign(DesignRecord& record);

}  // namespace kestro
