// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "files/plot_overlay.h"
#include "plotpage/plot_drawing.h"
#include "plotpage/plot_shared.h"

namespace kestro {

// DrawOverlay: a curve read back from an overlay file, drawn over the current plot in a pale
// shade of its own curve's colour and held within the box. Phase and delay show only while their
// own curve is shown. The next redraw of the plot removes it.
class OverlayDrawing final {
 public:
  OverlayDrawing(PlotDrawing& drawing, const DesignRecord& record, const PlotShared& shared);

  void DrawOverlay(const PlotOverlay& overlay);

 private:
  float ValueY(OverlayKind kind, float value) const;

  PlotDrawing& drawing_;
  const DesignRecord& record_;
  const PlotShared& shared_;
};

}  // namespace kestro
