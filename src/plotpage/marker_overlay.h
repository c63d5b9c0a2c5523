// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/design_record.h"
#include "plotpage/plot_drawing.h"
#include "plotpage/plot_shared.h"

namespace kestro {

// The markers of the analysis page: a numbered symbol on the gain and the delay curve at each
// marker frequency, and a table under the plot with frequency, gain, phase and group delay. The
// response at each marker is evaluated afresh (ResponseAt), not read from the analysis points.
class MarkerOverlay final {
 public:
  MarkerOverlay(PlotDrawing& drawing, DesignRecord& record, PlotShared& shared);

  // Gain symbols of every marker inside the box, and the data rows of every marker.
  void PlotMarkerGain();
  // Group delay at every marker (central difference of the phase at f * 0.999 and f / 0.999),
  // the data rows again with the delay, and the delay symbols; only while the delay curve is on
  // and no tuning panel covers the data area.
  void PlotMarkerDelay();
  // The table headings and the row of marker MarkerIndex.
  void ShowMarkerData();

  // Paints the marker data area with the page background.
  void ClearDataArea();

  int16_t MarkerIndex() const { return markerIndex_; }

 private:
  void DrawSymbol(float x, float y, Rgb fill, int k);
  void PlotGainMarker(int k);
  void PlotDelayMarker(int k);
  bool DataAreaFree() const { return shared_.EditPanelOn != 1; }

  PlotDrawing& drawing_;
  Canvas& canvas_;
  DesignRecord& record_;
  PlotShared& shared_;
  int16_t markerIndex_ = 0;
};

}  // namespace kestro
