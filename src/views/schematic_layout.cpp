#include "views/schematic_layout.h"

#include <algorithm>
#include <cmath>

namespace kestro {

SchematicLayout SchematicLayout::For(const DesignRecord& record) {
  SchematicLayout layout;
  const long stages = std::lrint(StagesForOrder(record.Order));
  layout.stages = static_cast<int>(std::clamp<long>(stages, 1, kMaxStage));
  layout.oddOrder = (record.Order % 2 != 0);
  layout.W = static_cast<float>(layout.stages) * kStageWidth;
  if (layout.oddOrder)
    layout.W += kSinglePoleWidth;
  return layout;
}

float SchematicLayout::OriginAt(int p) const {
  return kLeftMargin - W * static_cast<float>(p) / static_cast<float>(kScrollMaximum);
}

}  // namespace kestro
