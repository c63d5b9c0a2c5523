// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_page.h"

#include <algorithm>
#include <cmath>

#include "analysis/response_engine.h"
#include "core/gain_limits.h"
#include "plotpage/limit_drawing.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_page_layout.h"
#include "plotpage/plot_palette.h"
#include "printouts/picture_file.h"
#include "printouts/print_job.h"
#include "printouts/print_plot.h"

namespace kestro {

PlotPage::PlotPage(AppContext& context, PlotLink& link)
    : context_(context),
      link_(link),
      surface_([this] { return canvas(); }),
      plot_(surface_, context.record, context.plot),
      parts_(controls_, context, plot_),
      rounding_(controls_, context.record, plot_),
      bandwidth_(controls_, context, plot_),
      limits_(controls_, plot_, context.record),
      readout_(plot_, context.record, limits_),
      overlay_(plot_.Drawing(), context.record, context.plot),
      monteCarlo_(controls_, context, plot_),
      optimizer_(controls_, context, plot_) {
  SetWindowCaption("KestroLab - Plot");
  SetBackColour(plot::kPageBackground);
  CreateControls();
  SetUpSpinners();
  SetOpeningStates();
  WireCommands();
  Analyze(context_.record);
  ComputeGridFreqs(context_.record);
  link_.Attach(*this);
  plot_.Drawing().SetLimitMaskPainter([this](Canvas& canvas) { PaintLimitMasks(canvas); });
}

PlotPage::~PlotPage() {
  link_.Detach(*this);
}

void PlotPage::RedrawPlot() {
  plot_.Redraw();
}

void PlotPage::ClearMarkerArea() {
  plot_.Markers().ClearDataArea();
}

void PlotPage::BeginLimitEntry() {
  limits_.Begin();
}

void PlotPage::DisableOptimize() {
  controls_.cmdOptimize->enabled = false;
}

void PlotPage::DesignChanged() {
  const PlotPageControls& c = controls_;
  SetUpSpinners();
  context_.record.Rounded = 0;  // the saved parts belong to the design before
  c.cmdRestore->enabled = false;
  c.cmdNearest5->enabled = true;
  c.cmdPoles->enabled = context_.record.Family != kManual;
  plot_controls::SetVisible(plot_controls::RoundingChoice(c), false);
  plot_controls::SetVisible(plot_controls::MonteCarloButtons(c), false);
  plot_.Refresh();
}

// --- Opening ---

void PlotPage::CreateControls() {
  for (const ControlLayout& layout : PlotPageLayout(controls_)) {
    Control& control = Add(layout.kind, layout.name, layout.caption, layout.left, layout.top,
                           layout.width, layout.height);
    control.face = layout.face;
    control.visible = layout.visible;
    *layout.slot = &control;
  }
}

void PlotPage::SetUpSpinners() {
  const int stages = static_cast<int>(std::lrint(context_.record.NrStages));
  for (const auto& [spinner, label] : {std::pair{controls_.UpDown1, controls_.lblStage},
                                       std::pair{controls_.UpDown2, controls_.lblStageEdit}}) {
    spinner->minimum = 1;
    spinner->maximum = stages;
    spinner->value = 1;
    spinner->buddy = label->name;  // the host finds the buddy by its name
  }
}

void PlotPage::SetOpeningStates() {
  const PlotPageControls& c = controls_;
  plot_controls::SetVisible(plot_controls::LimitShapeButtons(c), false);
  rounding_.SetUpChoice();
  c.cmdFitLimits->enabled = false;  // until the plot shows gain limits
  c.cmdPoles->enabled = false;
  if (context_.record.Family != kManual)
    c.cmdPoles->enabled = true;  // no pole plot for manual parts
  if (context_.record.Rounded == 1) {
    c.cmdRestore->enabled = true;
  } else {
    c.cmdNearest5->enabled = true;
    c.cmdRestore->enabled = false;
  }
  plot_controls::SetEnabled({c.cmdSave, c.cmdGet, c.cmdOptimize, c.cmdResetMC}, false);
  plot_.Drawing().SetOverlayMode(false);
  plot_.Drawing().ResetColours();
  context_.plot.OptimizeStop = 1;
}

void PlotPage::OnShown() {
  PlotDrawing& drawing = plot_.Drawing();
  drawing.PlotGain();
  drawing.PlotDelay();
  drawing.PrintAt(4500, 7300, "Mousedown for data", plot::kPageBackground);
  // A phase curve switched on shows from the start, and so do the markers (each overlay does
  // nothing while markers are off).
  drawing.PlotPhase();
  plot_.DrawMarkers();
}

// --- Commands ---

void PlotPage::WireCommands() {
  const PlotPageControls& c = controls_;
  c.cmdPhase->onClick = [this] { TogglePhase(); };
  c.cmdDelay->onClick = [this] { ToggleDelay(); };
  c.cmdPlot->onClick = [this] { controls_.cmdPlot->face = plot::kPlotButtonPressed; };
  c.cmdReset->onClick = [this] { parts_.Clear(); };
  c.cmdRestore->onClick = [this] { parts_.Restore(); };
  c.cmdNearest5->onClick = [this] { rounding_.OfferSeries(); };
  c.cmd05->onClick = [this] { rounding_.RoundTo(StandardSeries::E192()); };
  c.cmd1->onClick = [this] { rounding_.RoundTo(StandardSeries::E96()); };
  c.cmd2->onClick = [this] { rounding_.RoundTo(StandardSeries::E48()); };
  c.cmd5->onClick = [this] { rounding_.RoundTo(StandardSeries::E24()); };
  c.cmd10->onClick = [this] { rounding_.RoundTo(StandardSeries::E12()); };
  c.cmd20->onClick = [this] { rounding_.RoundTo(StandardSeries::E6()); };
  c.cmdTuneWidth->onClick = [this] { bandwidth_.OpenPanel(); };
  c.cmdWidthDown->onClick = [this] { bandwidth_.Step(false); };
  c.cmdWidthUp->onClick = [this] { bandwidth_.Step(true); };
  c.cmdPrint->onClick = [this] { PrintPlot(); };
  c.cmdPicture->onClick = [this] { SavePicture(); };
  WireLimitsAndOverlays();
  WirePanels();
  WireLongRuns();
  WireNavigation();
}

void PlotPage::PrintPlot() {
  PrintPlotOn(*NewPrintJob(context_.printers));
}

void PlotPage::SavePicture() {
  kestro::SavePicture(context_.dialogs, context_.printers, "plot.svg",
                      [this](PrintDevice& device) { PrintPlotOn(device); });
}

// The plot sheet with the curves the page shows; an open part or bandwidth panel does not hide
// the delay markers on paper.
void PlotPage::PrintPlotOn(PrintDevice& device) {
  PlotShared& shared = context_.plot;
  shared.EditPanelOn = 0;
  const PlotPrintout::Curves curves{shared.DelayOn == 1, shared.PhaseOn == 1};
  PlotPrintout(context_.record, curves, device, context_.dialogs, context_.clock).Run();
}

void PlotPage::WirePanels() {
  const PlotPageControls& c = controls_;
  c.cmdTunePart->onClick = [this] { parts_.OpenTunePanel(); };
  c.cmdEditPart->onClick = [this] { parts_.OpenEditPanel(); };
  c.UpDown1->onChange = [this] { parts_.TuneStageChanged(); };
  c.UpDown2->onChange = [this] { parts_.EditStageChanged(); };
  c.cmdEnterAll->onClick = [this] { parts_.EnterAll(); };
  for (int part = 0; part < plot_controls::kPartCount; ++part) {
    const PartControls& controls = c.parts[static_cast<std::size_t>(part)];
    controls.down->onClick = [this, part] { parts_.Step(part, false); };
    controls.up->onClick = [this, part] { parts_.Step(part, true); };
  }
}

void PlotPage::WireLongRuns() {
  const PlotPageControls& c = controls_;
  c.cmdOptimize->onClick = [this] { optimizer_.Run(); };
  c.cmdMonteCarlo->onClick = [this] { monteCarlo_.Prepare(); };
  c.cmdResetMC->onClick = [this] { monteCarlo_.ShowExtremes(); };
  // The tolerance buttons and MCTolerance, the full relative width of the spread.
  for (const auto& [control, tolerance] :
       {std::pair{c.cmdMC1, 0.02f}, std::pair{c.cmdMC2, 0.04f}, std::pair{c.cmdMC5, 0.1f},
        std::pair{c.cmdMC10, 0.2f}, std::pair{c.cmdMC20, 0.4f}}) {
    const Control* button = control;
    const float width = tolerance;
    control->onClick = [this, button, width] { monteCarlo_.Run(*button, width); };
  }
}

void PlotPage::WireNavigation() {
  Navigator& navigator = context_.navigator;
  const PlotPageControls& c = controls_;
  c.cmdDesign->onClick = [this] { LeaveTo(PageId::Design); };
  c.cmdSchematic->onClick = [this] { LeaveTo(PageId::Schematic); };
  c.cmdTabulate->onClick = [this] { LeaveTo(PageId::Tabulated); };
  c.cmdStages->onClick = [this] { LeaveTo(PageId::Stages); };
  c.cmdAbout->onClick = [&navigator] { navigator.Open(PageId::About, OpenMode::Over); };
  c.cmdTransient->onClick = [&navigator] { navigator.Open(PageId::Transient, OpenMode::Over); };
  c.cmdWrite->onClick = [&navigator] { navigator.Open(PageId::WriteFiles, OpenMode::Modal); };
  c.cmdQuit->onClick = [&navigator] { navigator.Open(PageId::Exit, OpenMode::Modal); };
  c.cmdMarkers->onClick = [&navigator] { navigator.Open(PageId::Marker, OpenMode::Over); };
  c.cmdPoles->onClick = [&navigator] { navigator.Open(PageId::Poles, OpenMode::Modal); };
  c.cmdLimits->onClick = [&navigator] { navigator.Open(PageId::Limits, OpenMode::Over); };
  c.cmdFitLimits->onClick = [&navigator] { navigator.Open(PageId::FitLimits, OpenMode::Modal); };
}

void PlotPage::WireLimitsAndOverlays() {
  limits_.Wire();
  controls_.cmdSavePlot->onClick = [this] {
    PassedOrShown(SavePlot(context_.record), context_.dialogs);
  };
  controls_.cmdGetPlot->onClick = [this] { GetPlot(); };
}

// The masks lie under the grid; drawing them with two or more limits shown enables Optimize.
// Fit to limits needs a gain limit, and no open panel or optimizer run.
void PlotPage::PaintLimitMasks(Canvas& canvas) {
  if (LimitDrawing::AllowsOptimize(context_.record))
    controls_.cmdOptimize->enabled = true;
  const PlotShared& shared = context_.plot;
  controls_.cmdFitLimits->enabled = LimitCount(context_.record, kGainLimitSet) > 0 &&
                                    shared.EditPanelOn == 0 && shared.OptimizeStop == 1;
  LimitDrawing(canvas, context_.record).DrawLimits(kGainLimitSet);
}

void PlotPage::GetPlot() {
  int read = 0;
  const FileFailure missing = kestro::GetPlot([this, &read](const PlotOverlay& curve) {
    overlay_.DrawOverlay(curve);
    ++read;
  });
  // The record names the overlay file in hand: the delay file after a full read, else the
  // missing one. The summary prints it as the file name.
  context_.record.SessionFile = OverlayFileName(static_cast<OverlayKind>(std::min(read, 2)));
  if (missing) {  // no beep: the message asks for a saved plot
    context_.dialogs.Message(*missing, MessageButtons::Ok, MessageIcon::Exclamation,
                             kOverlayMissingTitle);
  }
}

void PlotPage::TogglePhase() {
  PlotShared& shared = context_.plot;
  shared.PhaseOn = static_cast<int16_t>(shared.PhaseOn + 1 > 1 ? 0 : shared.PhaseOn + 1);
  controls_.cmdMonteCarlo->enabled = true;
  plot_.Redraw();
}

void PlotPage::ToggleDelay() {
  PlotShared& shared = context_.plot;
  shared.DelayOn = static_cast<int16_t>(shared.DelayOn + 1 > 1 ? 0 : shared.DelayOn + 1);
  controls_.cmdMonteCarlo->enabled = true;
  plot_.Redraw();
}

void PlotPage::LeaveTo(PageId page) {
  context_.plot.EditPanelOn = 0;
  context_.navigator.Open(page, OpenMode::Switch);
}

void PlotPage::OnMouseDown(int /*button*/, float x, float y) {
  readout_.Press(x, y);
}

void PlotPage::OnMouseMove(int /*button*/, float x, float y) {
  readout_.Move(x, y);
}

void PlotPage::OnMouseUp(int /*button*/, float x, float y) {
  readout_.Release(x, y);
}

}  // namespace kestro
