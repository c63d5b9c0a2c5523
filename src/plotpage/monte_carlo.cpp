// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/monte_carlo.h"

#include <algorithm>

#include "analysis/response_engine.h"
#include "plotpage/long_run_lock.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"
#include "usecase/monte_carlo_parts.h"

namespace kestro {
namespace {

constexpr Rgb kToleranceFace{187, 255, 255};
constexpr Rgb kPressedToleranceFace{17, 255, 255};
constexpr Rgb kExtremesFace{204, 255, 255};
// The nominal response drawn over the passes.
constexpr CurveColours kNominalColours{{255, 255, 0}, {0, 255, 0}, {255, 0, 0}};
constexpr int kColourSets = 8;

}  // namespace

MonteCarlo::MonteCarlo(PlotPageControls& controls, AppContext& context, ResponsePlot& plot)
    : controls_(controls),
      context_(context),
      record_(context.record),
      shared_(context.plot),
      plot_(plot) {}

// --- Prepare ---

void MonteCarlo::Prepare() {
  plot_controls::SetVisible(plot_controls::LimitShapeButtons(controls_), false);
  for (Control* button : plot_controls::ToleranceButtons(controls_)) {
    button->visible = true;
    button->face = kToleranceFace;
  }
  controls_.cmdResetMC->visible = true;
  LockPage();
  plot_controls::SetVisible(plot_controls::TunePanelControls(controls_), false);
  plot_controls::SetVisible(plot_controls::EditPanelControls(controls_), false);
  plot_controls::SetVisible(plot_controls::WidthPanelControls(controls_), false);
  SaveNominalParts(record_);
  const plot::Area& area = plot::kMarkerDataArea;
  plot_.Drawing().Surface().FillRect(area.x1, area.y1, area.x2, area.y2, plot::kPageBackground);
  plot_controls::SetEnabled({controls_.cmdGetPlot, controls_.cmdMonteCarlo}, false);
}

void MonteCarlo::LockPage() {
  const PlotPageControls& c = controls_;
  plot_controls::SetEnabled(plot_controls::NavigationButtons(c), false);
  plot_controls::SetEnabled({c.cmdTuneWidth, c.cmdTunePart, c.cmdEditPart, c.cmdSavePlot,
                             c.cmdNearest5, c.cmdRestore, c.cmdPoles, c.cmdResetMC, c.cmdLimits},
                            false);
}

// --- A run ---

void MonteCarlo::Run(const Control& button, float tolerance) {
  if (running_)
    return;  // the buttons are locked during a run; a queued click is refused as well
  MarkPressed(button);
  record_.MCTolerance = tolerance;
  RunPasses();
}

void MonteCarlo::MarkPressed(const Control& button) {
  for (Control* tolerance : plot_controls::ToleranceButtons(controls_))
    tolerance->face = tolerance == &button ? kPressedToleranceFace : kToleranceFace;
}

void MonteCarlo::ResetEnvelope() {
  for (int i = 0; i <= std::clamp<int>(record_.Nints, 0, kMaxNints); ++i) {
    const auto index = static_cast<std::size_t>(i);
    shared_.GainMin[index] = 1e9f;
    shared_.GainMax[index] = -1e9f;
    shared_.DelayMin[index] = 1e10f;
    shared_.DelayMax[index] = -1e10f;
  }
}

void MonteCarlo::RunPasses() {
  plot_controls::SetEnabled({controls_.cmdGetPlot, controls_.cmdMonteCarlo}, false);
  controls_.cmdResetMC->enabled = true;
  controls_.cmdResetMC->face = kExtremesFace;
  plot_.Drawing().SetOverlayMode(true);
  ResetEnvelope();
  passCount_ = -1;
  controls_.cmdResetMC->enabled = false;
  running_ = true;
  shared_.OptimizeStop = 0;  // Clear sets it again: the page's stop request for long runs
  {
    const LongRunLock lock(controls_);
    do {
      ++passCount_;
      DrawPass();
      context_.events.ProcessPendingEvents();
    } while (passCount_ < kPasses - 1 && !StopRequested());
  }
  running_ = false;
  if (StopRequested()) {
    EndStopped();
    return;
  }
  shared_.OptimizeStop = 1;
  controls_.cmdResetMC->enabled = true;
  RestoreNominalParts(record_);
  DrawNominal();
}

void MonteCarlo::DrawPass() {
  DrawTolerancedParts(record_, record_.MCTolerance, context_.random);
  shared_.ColorIndex =
      static_cast<int16_t>(shared_.ColorIndex + 1 > kColourSets ? 1 : shared_.ColorIndex + 1);
  PlotDrawing& drawing = plot_.Drawing();
  drawing.SelectColorSet(shared_.ColorIndex);
  drawing.PlotGain();
  drawing.PlotDelay();
  drawing.PlotPhase();
}

// The nominal curves in bold colours over the passes, still in overlay mode.
void MonteCarlo::DrawNominal() {
  PlotDrawing& drawing = plot_.Drawing();
  drawing.SetColours(kNominalColours);
  Analyze(record_);
  drawing.PlotGain();
  drawing.PlotDelay();
  drawing.PlotPhase();
  drawing.ResetColours();
  drawing.SetOverlayMode(false);
  controls_.cmdGetPlot->enabled = true;
}

// Clear ended the run between two passes: the record goes back to nominal and the page shows
// the nominal design in full, as Clear does for a page at rest. Show Extremes stays hidden.
void MonteCarlo::EndStopped() {
  RestoreNominalParts(record_);
  PlotDrawing& drawing = plot_.Drawing();
  drawing.ResetColours();
  drawing.SetOverlayMode(false);
  controls_.cmdGetPlot->enabled = true;
  plot_.Refresh();
}

// --- Show Extremes ---

void MonteCarlo::ShowExtremes() {
  Analyze(record_);
  ComputeGridFreqs(record_);
  PlotDrawing& drawing = plot_.Drawing();
  drawing.PlotGain();
  drawing.PlotPhase();
  drawing.PlotDelay();
  plot_.DrawMarkers();
  drawing.PlotExtremes();
}

}  // namespace kestro
