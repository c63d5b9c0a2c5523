// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/part_rounding.h"

namespace kestro {

PartSeries PartSeries::For(RoundedParts parts, const StandardSeries& series) {
  PartSeries chosen;
  if (parts != RoundedParts::kCapacitors)
    chosen.resistors = &series;
  if (parts != RoundedParts::kResistors)
    chosen.capacitors = &series;
  return chosen;
}

void RoundToSeries(DesignRecord& record, const PartSeries& series) {
  const int stages = StageCount(record);
  for (int s = 1; s <= stages; ++s) {
    auto& r = record.R[static_cast<std::size_t>(s)];
    auto& c = record.C[static_cast<std::size_t>(s)];
    if (series.resistors != nullptr) {
      if (r[1] > 0.001f)
        r[1] = series.resistors->Nearest(r[1]);
      r[2] = series.resistors->Nearest(r[2]);
      r[3] = series.resistors->Nearest(r[3]);
    }
    if (series.capacitors != nullptr) {
      for (std::size_t k = 1; k <= 3; ++k)
        c[k] = series.capacitors->Nearest(c[k]);
    }
  }
}

}  // namespace kestro
