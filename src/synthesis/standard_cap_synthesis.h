// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"
#include "core/standard_series.h"

namespace kestro {

// What a design with standard capacitors came to.
struct StandardCapsOutcome {
  bool solved = false;              // false: the family synthesis itself failed (ComputeCaps)
  std::vector<int> computedStages;  // stages that keep their computed capacitors
  std::string message;              // says which, one line per stage; empty when none
};

// A family design (Family 1..3) whose capacitors come from a series (E6, E12 or E24) and whose
// resistors are computed so that each stage realises its poles exactly. First the usual
// synthesis runs (CountStages .. ComputeCaps), which sets Rnom and gives every stage computed
// capacitors. Each two-pole stage then takes a pair of series capacitors from 1 pF to 10 uF, and
// the three-pole stage three capacitors among the 12 series values nearest each computed value
// (within a factor of 3.3), for which the stage has positive resistors (for a pair: feedback C2
// over ground C3 at least 4 Q^2).
// Among those the choice is:
//  - without a resistor series, the set whose resistors lie nearest Rnom (the largest
//    |ln(R/Rnom)| smallest);
//  - with the series the resistors will be rounded to, the set among those with every resistor
//    within a factor of 10 of Rnom whose rounded resistors keep the stage's gain nearest the
//    exact one (nearest Rnom when none lies that near).
// The stored resistors are exact either way; rounding them is a separate step. A stage with no
// such set keeps its computed capacitors and resistors, and the outcome says so.
StandardCapsOutcome SynthesizeWithStandardCaps(DesignRecord& record, const StandardSeries& caps,
                                               const StandardSeries* resistors = nullptr);

}  // namespace kestro
