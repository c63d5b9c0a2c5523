// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestro {

// What the secondary windows of the analysis page (markers, limits) ask of the open plot.
class PlotRedraw {
 public:
  virtual ~PlotRedraw() = default;

  // Gain, delay, phase and the marker overlays, in that order.
  virtual void RedrawPlot() = 0;
  // Paints the marker data area under the plot with the page background.
  virtual void ClearMarkerArea() = 0;
  // The Enter command of the limits page: shape buttons, locked commands and the prompt.
  virtual void BeginLimitEntry() = 0;
  // Hiding the limits leaves nothing to optimize against.
  virtual void DisableOptimize() = 0;
  // A new design in the record (family, order and parts): the page takes it up and redraws.
  virtual void DesignChanged() = 0;

 protected:
  PlotRedraw() = default;
  PlotRedraw(const PlotRedraw&) = default;
  PlotRedraw& operator=(const PlotRedraw&) = default;
};

}  // namespace kestro
