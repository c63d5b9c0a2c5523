// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/bandwidth_tuning.h"
#include "plotpage/deferred_canvas.h"
#include "plotpage/limit_entry.h"
#include "plotpage/monte_carlo.h"
#include "plotpage/mouse_readout.h"
#include "plotpage/optimizer.h"
#include "plotpage/overlay_drawing.h"
#include "plotpage/part_adjustment.h"
#include "plotpage/plot_link.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_redraw.h"
#include "plotpage/response_plot.h"
#include "plotpage/standard_rounding.h"

namespace kestro {

// The analysis page frmPlot: the response plot with its curve toggles and markers, hand tuning
// and editing of the parts, rounding to standard values, bandwidth tuning, and the buttons that
// lead to the other pages. Opening the page analyses the design and draws it once the window
// shows it. While it lives it serves the secondary windows' redraw requests through the link.
class PlotPage final : public Page, public PlotRedraw {
 public:
  PlotPage(AppContext& context, PlotLink& link);
  ~PlotPage() override;
  PlotPage(const PlotPage&) = delete;
  PlotPage& operator=(const PlotPage&) = delete;

  // Draws the opening plot: gain, delay, the mouse hint, and the markers when they are on.
  void OnShown() override;
  void OnMouseDown(int button, float x, float y) override;
  void OnMouseMove(int button, float x, float y) override;
  void OnMouseUp(int button, float x, float y) override;

  // --- PlotRedraw ---
  void RedrawPlot() override;
  void ClearMarkerArea() override;
  void BeginLimitEntry() override;
  void DisableOptimize() override;
  // After "Fit to limits" designed a row: the stage spinners, Restore, Nearest % and Show poles
  // follow the new design, the rounding choice closes, and the plot is refreshed.
  void DesignChanged() override;

  ResponsePlot& Plot() { return plot_; }
  PartAdjustment& Parts() { return parts_; }
  MouseReadout& Readout() { return readout_; }
  MonteCarlo& Tolerances() { return monteCarlo_; }
  Optimizer& Optimization() { return optimizer_; }
  const PlotPageControls& PageControls() const { return controls_; }

 private:
  // --- Opening ---
  void CreateControls();
  void SetUpSpinners();
  void SetOpeningStates();

  // --- Commands ---
  void WireCommands();
  void WirePanels();
  void WireLongRuns();
  void WireNavigation();
  void TogglePhase();
  void ToggleDelay();
  void PrintPlot();
  void SavePicture();
  void PrintPlotOn(PrintDevice& device);
  void LeaveTo(PageId page);
  void WireLimitsAndOverlays();
  void PaintLimitMasks(Canvas& canvas);
  void GetPlot();

  AppContext& context_;
  PlotLink& link_;
  PlotPageControls controls_;  // set as the page adds its controls, before any command runs
  DeferredCanvas surface_;
  ResponsePlot plot_;
  PartAdjustment parts_;
  StandardRounding rounding_;
  BandwidthTuning bandwidth_;
  LimitEntry limits_;
  MouseReadout readout_;
  OverlayDrawing overlay_;
  MonteCarlo monteCarlo_;
  Optimizer optimizer_;
};

}  // namespace kestro
