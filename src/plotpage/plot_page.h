#pragma once

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/bandwidth_tuning.h"
#include "plotpage/deferred_canvas.h"
#include "plotpage/part_adjustment.h"
#include "plotpage/response_plot.h"
#include "plotpage/standard_rounding.h"

namespace kestro {

// The analysis page frmPlot: the response plot with its curve toggles and markers, hand tuning
// and editing of the parts, rounding to standard values, bandwidth tuning, and the buttons that
// lead to the other pages. Opening the page analyses the design and draws it once the window
// shows it.
class PlotPage final : public Page {
 public:
  explicit PlotPage(AppContext& context);
  ~PlotPage() override;
  PlotPage(const PlotPage&) = delete;
  PlotPage& operator=(const PlotPage&) = delete;

  // Draws the opening plot: gain, delay, the mouse hint, and the markers when they are on.
  void OnShown() override;
  void OnMouseDown(int button, float x, float y) override;

  ResponsePlot& Plot() { return plot_; }
  PartAdjustment& Parts() { return parts_; }

  // The message of the commands that later work fills in.
  static constexpr const char* kNotBuiltMessage = "This command is not built yet.";

 private:
  // --- Opening ---
  void CreateControls();
  void SetUpSpinners();
  void SetOpeningStates();

  // --- Commands ---
  void WireCommands();
  void WirePanels();
  void WireNavigation();
  void TogglePhase();
  void ToggleDelay();
  void PrintPlot();
  void LeaveTo(PageId page);
  void NotBuilt();

  AppContext& context_;
  DeferredCanvas surface_;
  ResponsePlot plot_;
  PartAdjustment parts_;
  StandardRounding rounding_;
  BandwidthTuning bandwidth_;
};

}  // namespace kestro
