// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "core/design_record.h"
#include "platform/canvas.h"
#include "plotpage/curve_colours.h"
#include "plotpage/plot_mapping.h"
#include "plotpage/plot_shared.h"

namespace kestro {

// The response plot of the analysis page: box, grid, axis labels and the gain, phase and delay
// curves, drawn as immediate commands on the page canvas. PlotGain must run first in any redraw:
// it is the only operation that clears the plot box. In overlay mode (set for the duration of a
// Monte Carlo run) the three curve operations draw their curve only, so successive curves pile up.
class PlotDrawing final {
 public:
  PlotDrawing(Canvas& canvas, DesignRecord& record, PlotShared& shared);

  // --- Plot operations ---
  // Label areas, box, limit masks, horizontal grid, gain labels, vertical grid; then the gain
  // curve, updating GainMin/GainMax.
  void PlotGain();
  // Nothing while PhaseOn is 0; else title, labels, vertical grid and the phase curve.
  void PlotPhase();
  // Nothing while DelayOn is 0; else raises DelayTop to 1e-9, title, labels, vertical grid and
  // the delay curve, updating DelayMin/DelayMax.
  void PlotDelay();
  // Vertical grid lines at every grid frequency and a thinned selection of frequency labels.
  void DrawXlines();
  // The gain curve alone, with the current line width (the optimizer's trial curves).
  void PlotGainTrace();
  // The Monte Carlo envelope: GainMin, GainMax, DelayMin, DelayMax.
  void PlotExtremes();

  // --- Page state ---
  // Colour set k = 1..8; any other k changes nothing.
  void SelectColorSet(int k);
  void ResetColours() { colours_ = CurveColours::Load(); }
  void SetColours(const CurveColours& colours) { colours_ = colours; }
  const CurveColours& Colours() const { return colours_; }
  void SetOverlayMode(bool on) { overlayMode_ = on; }
  bool OverlayMode() const { return overlayMode_; }
  // The gain-limit masks, drawn under the grid and the curves by PlotGain. Until the limits are
  // built nothing is drawn there.
  void SetLimitMaskPainter(std::function<void(Canvas&)> painter) {
    limitMaskPainter_ = std::move(painter);
  }

  const PlotMapping& Mapping() const { return mapping_; }
  Canvas& Surface() { return canvas_; }
  // Prints text with its top-left corner at (x, y); the positioning point is drawn in `under`.
  void PrintAt(float x, float y, const std::string& text, Rgb under);
  void PrintWithin(float x, float y, const std::string& text, float maxWidth);

 private:
  using ValueMap = float (PlotMapping::*)(float) const;

  void DrawGainFrame();
  void ClearLabelAreas();
  void DrawBox();
  void DrawGainLimitMasks();
  void DrawHorizontalGrid();
  void DrawGainLabels();
  void DrawPhaseLabels();
  void DrawDelayLabels();
  void DrawCurve(const PointArray& values, ValueMap map, Rgb colour);
  void UpdateGainExtremes();
  void UpdateDelayExtremes();
  int LastPoint() const;
  int Intervals() const;

  Canvas& canvas_;
  DesignRecord& record_;
  PlotShared& shared_;
  PlotMapping mapping_;
  CurveColours colours_;
  bool overlayMode_ = false;
  std::function<void(Canvas&)> limitMaskPainter_;
};

}  // namespace kestro
