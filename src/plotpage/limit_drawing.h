// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "platform/canvas.h"
#include "plotpage/plot_mapping.h"

namespace kestro {

// The gain-limit masks on the plot: each limit of a set as a pale red box with a thick red
// outline, held within the plot box, drawn under the grid and the curves while LimitsOn is set.
class LimitDrawing final {
 public:
  LimitDrawing(Canvas& canvas, const DesignRecord& record);

  // True when the drawing enables Optimize: limits shown and more than one limit in set 1.
  static bool AllowsOptimize(const DesignRecord& record);

  // Every limit j = 1..NrLimits[set] whose start and stop are both above 0.
  void DrawLimits(int set);

 private:
  void DrawLimit(int j, int set);

  Canvas& canvas_;
  const DesignRecord& record_;
  PlotMapping mapping_;
};

}  // namespace kestro
