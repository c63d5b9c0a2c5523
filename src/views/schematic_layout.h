#pragma once

#include "core/design_record.h"

namespace kestro {

// The size of the schematic of an order and where its scroll bar puts it, page units.
struct SchematicLayout {
  static constexpr float kStageWidth = 6500;
  static constexpr float kSinglePoleWidth = 3000;  // the extra pole of an odd order
  static constexpr float kPageRoom = 16000;        // wider drawings get a scroll bar
  static constexpr int kScrollMaximum = 32767;
  static constexpr float kLeftMargin = 1000;
  static constexpr float kSignalLine = 2000;

  int stages = 1;
  bool oddOrder = false;
  float W = kStageWidth;  // the drawing width

  // Stages from the order (Order / 2, whole), bounded by the stage arrays.
  static SchematicLayout For(const DesignRecord& record);

  bool Scrolls() const { return W > kPageRoom; }
  // x of the drawing's left end with the scroll bar at position p of 0..32767.
  float OriginAt(int p) const;
};

}  // namespace kestro
