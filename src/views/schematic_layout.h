// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "platform/canvas.h"

namespace kestro {

// The size of the schematic of an order and where its scroll bar puts it, page units.
struct SchematicLayout {
  static constexpr int kScrollMaximum = 32767;
  static constexpr float kLeftMargin = 1000;
  static constexpr float kRightMargin = 200;
  static constexpr float kSignalLine = 2000;

  int stages = 1;
  bool oddOrder = false;
  float W = 0;  // the width drawn, from the source's left end to the end of "Output"

  // Stages from the order (Order / 2, whole), bounded by the stage arrays.
  static SchematicLayout For(const DesignRecord& record);

  // A scroll bar only when the drawing does not fit between the margins.
  bool Scrolls() const { return Overflow() > 0; }
  // x of the drawing's left end with the scroll bar at position p of 0..32767: at the far end
  // the drawing ends at the right margin.
  float OriginAt(int p) const;

 private:
  float Overflow() const { return kLeftMargin + W + kRightMargin - kPageWidth; }
};

}  // namespace kestro
