// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/response_plot.h"

#include "analysis/response_engine.h"

namespace kestro {

ResponsePlot::ResponsePlot(Canvas& canvas, DesignRecord& record, PlotShared& shared)
    : record_(record), drawing_(canvas, record, shared), markers_(drawing_, record, shared) {}

void ResponsePlot::Redraw() {
  drawing_.PlotGain();
  drawing_.PlotDelay();
  drawing_.PlotPhase();
  DrawMarkers();
}

void ResponsePlot::AnalyzeAndRedraw() {
  Analyze(record_);
  Redraw();
}

void ResponsePlot::Refresh() {
  Analyze(record_);
  ComputeGridFreqs(record_);
  drawing_.PlotGain();
  drawing_.PlotPhase();
  drawing_.PlotDelay();
  DrawMarkers();
}

void ResponsePlot::DrawMarkers() {
  markers_.PlotMarkerGain();
  markers_.PlotMarkerDelay();
}

}  // namespace kestro
