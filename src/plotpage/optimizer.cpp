// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/optimizer.h"

#include "plotpage/long_run_lock.h"
#include "plotpage/optimizer_display.h"
#include "plotpage/plot_page_controls.h"
#include "usecase/optimizer_run.h"

namespace kestro {
namespace {

constexpr int16_t kTracesPerPage = 100;
constexpr int16_t kColourSets = 7;

}  // namespace

Optimizer::Optimizer(PlotPageControls& controls, AppContext& context, ResponsePlot& plot)
    : controls_(controls),
      context_(context),
      record_(context.record),
      shared_(context.plot),
      plot_(plot) {}

void Optimizer::Run() {
  if (running_)
    return;  // Optimize is locked during a run; a click queued before the lock is refused too
  shared_.OptimizeStop = 0;
  DisableCommands();
  OptimizerRun run(record_, context_.random);
  run.Start();
  record_.MarkersOn = 0;
  traceCount_ = 0;
  running_ = true;
  {
    const LongRunLock lock(controls_);
    OptimizerDisplay display(plot_.Drawing().Surface());
    while (!StopRequested()) {
      const float error = run.Trial();
      DrawTrace();
      display.Draw({error, run.TrialCount(), run.BestError()});
      if (run.Finished(error))
        break;
      context_.events.ProcessPendingEvents();
    }
  }
  running_ = false;
  shared_.OptimizeStop = 1;
  run.Finish();
  plot_.Drawing().Surface().Clear();
  plot_.Drawing().PlotGain();
}

void Optimizer::DisableCommands() {
  const PlotPageControls& c = controls_;
  plot_controls::SetEnabled(plot_controls::NavigationButtons(c), false);
  plot_controls::SetEnabled({c.cmdDelay, c.cmdPhase, c.cmdGetPlot, c.cmdMonteCarlo, c.cmdTuneWidth,
                             c.cmdTunePart, c.cmdEditPart, c.cmdSavePlot, c.cmdNearest5,
                             c.cmdRestore, c.cmdPoles, c.cmdResetMC, c.cmdLimits},
                            false);
}

// Up to 100 traces pile up in seven cycling colours; then the page is cleared down to its
// background and the last trace drawn again.
void Optimizer::DrawTrace() {
  PlotDrawing& drawing = plot_.Drawing();
  if (++traceCount_ > kTracesPerPage) {
    drawing.Surface().Clear();
    drawing.PlotGainTrace();
    traceCount_ = 1;
  }
  shared_.ColorIndex =
      static_cast<int16_t>(shared_.ColorIndex + 1 > kColourSets ? 1 : shared_.ColorIndex + 1);
  drawing.SelectColorSet(shared_.ColorIndex);
  drawing.PlotGainTrace();
}

}  // namespace kestro
