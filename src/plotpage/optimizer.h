// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/app_context.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"

namespace kestro {

// The analysis page's optimizer (cmdOptimize): up to 2000 random trials on the capacitors that
// bring the gain inside the gain limits, every trial's gain curve drawn in cycling colours (the
// page cleared every 100 traces) with the error bar, the trial number and the best error. The
// page commands stay disabled after the run until Clear; Clear also stops a run within one trial.
// The best capacitors end in C and Csaved, and the design becomes hand-made.
class Optimizer final {
 public:
  Optimizer(PlotPageControls& controls, AppContext& context, ResponsePlot& plot);

  void Run();  // cmdOptimize
  bool Running() const { return running_; }

 private:
  void DisableCommands();
  void DrawTrace();
  bool StopRequested() const { return shared_.OptimizeStop == 1; }

  PlotPageControls& controls_;
  AppContext& context_;
  DesignRecord& record_;
  PlotShared& shared_;
  ResponsePlot& plot_;
  int16_t traceCount_ = 0;
  bool running_ = false;
};

}  // namespace kestro
