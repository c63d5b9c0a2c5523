// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// The smallest and the largest capacitor of the circuit, farads.
struct CapacitorRange {
  float CapMin = 1e12f;
  float CapMax = -1;
};

// Over the capacitors the circuit has: C2 and C3 of every stage, and C1 of the three-pole first
// stage of an odd order. The C1 slot of a two-pole stage holds a floor value for a capacitor that
// does not exist, and a real C1 may well be below a nanofarad, so the slot is judged by the
// stage's kind rather than by its value.
CapacitorRange FindCapacitorRange(const DesignRecord& record);

}  // namespace kestro
