// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/schematic_layout.h"

#include <algorithm>
#include <cmath>

#include "printouts/schematic_geometry.h"

namespace kestro {

using namespace schematic_geometry;

SchematicLayout SchematicLayout::For(const DesignRecord& record) {
  SchematicLayout layout;
  const long stages = std::lrint(StagesForOrder(record.Order));
  layout.stages = static_cast<int>(std::clamp<long>(stages, 1, kMaxStage));
  layout.oddOrder = (record.Order % 2 != 0);
  layout.W = kSourceWidth + static_cast<float>(layout.stages) * kStageAdvance + kOutputWidth;
  if (layout.oddOrder)
    layout.W += kResistorLength;  // the single pole's resistor; its capacitor hangs below
  return layout;
}

float SchematicLayout::OriginAt(int p) const {
  const float travel = std::max(Overflow(), 0.0f);
  return kLeftMargin - travel * static_cast<float>(p) / static_cast<float>(kScrollMaximum);
}

}  // namespace kestro
