// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "platform/canvas.h"
#include "plotpage/marker_overlay.h"
#include "plotpage/plot_drawing.h"
#include "plotpage/plot_shared.h"

namespace kestro {

// The analysis page's plot with its markers, and the redraw sequences its commands use. Every
// sequence starts with PlotGain (which clears the box) and ends with the marker overlays.
class ResponsePlot final {
 public:
  ResponsePlot(Canvas& canvas, DesignRecord& record, PlotShared& shared);

  PlotDrawing& Drawing() { return drawing_; }
  MarkerOverlay& Markers() { return markers_; }

  // PlotGain, PlotDelay, PlotPhase, PlotMarkerGain, PlotMarkerDelay: after a curve toggle or a
  // marker change, when the response itself is current.
  void Redraw();
  // Analyze, then Redraw: after rounding or Restore.
  void AnalyzeAndRedraw();
  // Analyze, ComputeGridFreqs, PlotGain, PlotPhase, PlotDelay, PlotMarkerGain, PlotMarkerDelay:
  // after a part step, Enter all, Clear or a bandwidth step.
  void Refresh();
  // PlotMarkerGain, PlotMarkerDelay.
  void DrawMarkers();

 private:
  DesignRecord& record_;
  PlotDrawing drawing_;
  MarkerOverlay markers_;
};

}  // namespace kestro
