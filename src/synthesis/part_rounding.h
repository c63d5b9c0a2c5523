// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "core/standard_series.h"

namespace kestro {

// Which parts a rounding to standard values touches.
enum class RoundedParts { kAll, kResistors, kCapacitors };

// The series each kind of part is rounded to; null leaves that kind as it is. Resistors and
// capacitors may go to different series (resistors to E96, capacitors to E12).
struct PartSeries {
  const StandardSeries* resistors = nullptr;
  const StandardSeries* capacitors = nullptr;

  // One series for the chosen parts, nothing for the others.
  static PartSeries For(RoundedParts parts, const StandardSeries& series);
};

// Rounds the parts of stages 1..NrStages to their series with StandardSeries::Nearest: R1 only
// when above 0.001 (a two-pole stage keeps R1 = 0), then R2, R3, C1, C2, C3. The 1e-13 floor of
// an absent C1 stays near the floor; a part of 0 or less is left as it is. The amplifier pair
// R4, R5 is never touched.
void RoundToSeries(DesignRecord& record, const PartSeries& series);

}  // namespace kestro
