// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/capacitor_range.h"

#include <algorithm>
#include <cmath>

#include "views/schematic_layout.h"

namespace kestro {

namespace {

void Take(CapacitorRange& range, float value) {
  range.CapMin = std::min(range.CapMin, value);
  range.CapMax = std::max(range.CapMax, value);
}

}  // namespace

CapacitorRange FindCapacitorRange(const DesignRecord& record) {
  CapacitorRange range;
  const SchematicLayout layout = SchematicLayout::For(record);
  for (std::size_t s = 1; s <= static_cast<std::size_t>(layout.stages); ++s) {
    if (s == 1 && layout.oddOrder)
      Take(range, record.C[s][1]);
    Take(range, record.C[s][2]);
    Take(range, record.C[s][3]);
  }
  return range;
}

}  // namespace kestro
