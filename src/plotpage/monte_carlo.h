// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include "platform/app_context.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"

namespace kestro {

// The Monte Carlo tolerance analysis of the analysis page. "Monte Carlo" saves the nominal parts
// and shows five tolerance buttons; each of them draws 1000 toleranced copies of the design on top
// of each other, every part spread uniformly and independently, and then the nominal curves in
// bold colours over them. "Show Extremes" redraws the nominal response with the envelope of the
// last run. The design record holds the nominal parts again after every run. Clear stops a run
// between two passes.
class MonteCarlo final {
 public:
  static constexpr int16_t kPasses = 1000;

  MonteCarlo(PlotPageControls& controls, AppContext& context, ResponsePlot& plot);

  void Prepare();  // cmdMonteCarlo
  // cmdMC1 .. cmdMC20: `button` is the pressed one, `tolerance` the full relative width
  // (MCTolerance: 0.02 for "1%").
  void Run(const Control& button, float tolerance);
  void ShowExtremes();  // cmdResetMC

  bool Running() const { return running_; }
  // Passes drawn by the last run (kPasses unless Clear stopped it).
  int PassesDrawn() const { return passCount_ + 1; }

 private:
  void LockPage();
  void MarkPressed(const Control& button);
  void ResetEnvelope();
  void RunPasses();
  void DrawPass();
  void DrawNominal();
  void EndStopped();
  bool StopRequested() const { return shared_.OptimizeStop == 1; }

  PlotPageControls& controls_;
  AppContext& context_;
  DesignRecord& record_;
  PlotShared& shared_;
  ResponsePlot& plot_;
  int16_t passCount_ = -1;
  bool running_ = false;
};

}  // namespace kestro
