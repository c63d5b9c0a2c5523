#include "plotpage/plot_page.h"

#include <algorithm>
#include <cmath>

#include "analysis/response_engine.h"
#include "core/gain_limits.h"
#include "plotpage/limit_drawing.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_page_layout.h"
#include "plotpage/plot_palette.h"
#include "printouts/print_job.h"
#include "printouts/print_plot.h"

namespace kestro {

PlotPage::PlotPage(AppContext& context, PlotLink& link)
    : context_(context),
      link_(link),
      surface_([this] { return canvas(); }),
      plot_(surface_, context.record, context.plot),
      parts_(*this, context, plot_),
      rounding_(*this, context.record, plot_),
      bandwidth_(*this, context, plot_),
      limits_(*this, plot_, context.record),
      readout_(plot_, context.record, limits_),
      overlay_(plot_.Drawing(), context.record, context.plot),
      monteCarlo_(*this, context, plot_),
      optimizer_(*this, context, plot_) {
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
  (*this)["cmdOptimize"].enabled = false;
}

// --- Opening ---

void PlotPage::CreateControls() {
  for (const ControlLayout& layout : PlotPageLayout()) {
    Control& control = Add(layout.kind, layout.name, layout.caption, layout.left, layout.top,
                           layout.width, layout.height);
    control.face = layout.face;
    control.visible = layout.visible;
  }
}

void PlotPage::SetUpSpinners() {
  const int stages = static_cast<int>(std::lrint(context_.record.NrStages));
  for (const auto& [spinner, label] :
       {std::pair{"UpDown1", "lblStage"}, std::pair{"UpDown2", "lblStageEdit"}}) {
    Control& control = (*this)[spinner];
    control.minimum = 1;
    control.maximum = stages;
    control.value = 1;
    control.buddy = label;
  }
}

void PlotPage::SetOpeningStates() {
  plot_controls::SetVisible(*this, plot_controls::LimitShapeButtons(), false);
  Control& poles = (*this)["cmdPoles"];
  poles.enabled = false;
  if (context_.record.Family != kManual)
    poles.enabled = true;  // no pole plot for manual parts
  if (context_.record.Rounded == 1) {
    (*this)["cmdRestore"].enabled = true;
  } else {
    (*this)["cmdNearest5"].enabled = true;
    (*this)["cmdRestore"].enabled = false;
  }
  plot_controls::SetEnabled(*this, {"cmdSave", "cmdGet", "cmdOptimize", "cmdResetMC"}, false);
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
  (*this)["cmdPhase"].onClick = [this] { TogglePhase(); };
  (*this)["cmdDelay"].onClick = [this] { ToggleDelay(); };
  (*this)["cmdPlot"].onClick = [this] { (*this)["cmdPlot"].face = plot::kPlotButtonPressed; };
  (*this)["cmdReset"].onClick = [this] { parts_.Clear(); };
  (*this)["cmdRestore"].onClick = [this] { parts_.Restore(); };
  (*this)["cmdNearest5"].onClick = [this] { rounding_.OfferSeries(); };
  (*this)["cmd2"].onClick = [this] { rounding_.RoundTo(StandardSeries::E48()); };
  (*this)["cmd5"].onClick = [this] { rounding_.RoundTo(StandardSeries::E24()); };
  (*this)["cmd10"].onClick = [this] { rounding_.RoundTo(StandardSeries::E12()); };
  (*this)["cmd20"].onClick = [this] { rounding_.RoundTo(StandardSeries::E6()); };
  (*this)["cmdTuneWidth"].onClick = [this] { bandwidth_.OpenPanel(); };
  (*this)["cmdWidthDown"].onClick = [this] { bandwidth_.Step(false); };
  (*this)["cmdWidthUp"].onClick = [this] { bandwidth_.Step(true); };
  (*this)["cmdPrint"].onClick = [this] { PrintPlot(); };
  WireLimitsAndOverlays();
  WirePanels();
  WireLongRuns();
  WireNavigation();
}

// The plot sheet; an open part or bandwidth panel does not hide the delay markers on paper.
void PlotPage::PrintPlot() {
  PlotShared& shared = context_.plot;
  shared.EditPanelOn = 0;
  const auto device = NewPrintJob(context_.printers);
  const PlotPrintout::Curves curves{shared.DelayOn == 1, shared.PhaseOn == 1};
  PlotPrintout(context_.record, curves, *device, context_.dialogs, context_.clock).Run();
}

void PlotPage::WirePanels() {
  (*this)["cmdTunePart"].onClick = [this] { parts_.OpenTunePanel(); };
  (*this)["cmdEditPart"].onClick = [this] { parts_.OpenEditPanel(); };
  (*this)["UpDown1"].onChange = [this] { parts_.TuneStageChanged(); };
  (*this)["UpDown2"].onChange = [this] { parts_.EditStageChanged(); };
  (*this)["cmdEnterAll"].onClick = [this] { parts_.EnterAll(); };
  for (int part = 0; part < 6; ++part) {
    const std::string name = std::string("cmd") + plot_controls::kParts[part];
    (*this)[name + "down"].onClick = [this, part] { parts_.Step(part, false); };
    (*this)[name + "up"].onClick = [this, part] { parts_.Step(part, true); };
  }
}

void PlotPage::WireLongRuns() {
  (*this)["cmdOptimize"].onClick = [this] { optimizer_.Run(); };
  (*this)["cmdMonteCarlo"].onClick = [this] { monteCarlo_.Prepare(); };
  (*this)["cmdResetMC"].onClick = [this] { monteCarlo_.ShowExtremes(); };
  // The tolerance buttons and MCTolerance, the full relative width of the spread.
  for (const auto& [name, tolerance] :
       {std::pair{"cmdMC1", 0.02f}, std::pair{"cmdMC2", 0.04f}, std::pair{"cmdMC5", 0.1f},
        std::pair{"cmdMC10", 0.2f}, std::pair{"cmdMC20", 0.4f}}) {
    const std::string button = name;
    const float width = tolerance;
    (*this)[button].onClick = [this, button, width] { monteCarlo_.Run(button, width); };
  }
}

void PlotPage::WireNavigation() {
  Navigator& navigator = context_.navigator;
  (*this)["cmdDesign"].onClick = [this] { LeaveTo(PageId::Design); };
  (*this)["cmdSchematic"].onClick = [this] { LeaveTo(PageId::Schematic); };
  (*this)["cmdTabulate"].onClick = [this] { LeaveTo(PageId::Tabulated); };
  (*this)["cmdAbout"].onClick = [&navigator] { navigator.Open(PageId::About, OpenMode::Over); };
  (*this)["cmdTransient"].onClick = [&navigator] {
    navigator.Open(PageId::Transient, OpenMode::Over);
  };
  (*this)["cmdWrite"].onClick = [&navigator] {
    navigator.Open(PageId::WriteFiles, OpenMode::Modal);
  };
  (*this)["cmdQuit"].onClick = [&navigator] { navigator.Open(PageId::Exit, OpenMode::Modal); };
  (*this)["cmdMarkers"].onClick = [&navigator] { navigator.Open(PageId::Marker, OpenMode::Over); };
  (*this)["cmdPoles"].onClick = [&navigator] { navigator.Open(PageId::Poles, OpenMode::Modal); };
  (*this)["cmdLimits"].onClick = [&navigator] { navigator.Open(PageId::Limits, OpenMode::Over); };
}

void PlotPage::WireLimitsAndOverlays() {
  limits_.Wire();
  (*this)["cmdSavePlot"].onClick = [this] {
    PassedOrShown(SavePlot(context_.record), context_.dialogs);
  };
  (*this)["cmdGetPlot"].onClick = [this] { GetPlot(); };
}

// The masks lie under the grid; drawing them with two or more limits shown enables Optimize.
void PlotPage::PaintLimitMasks(Canvas& canvas) {
  if (LimitDrawing::AllowsOptimize(context_.record))
    (*this)["cmdOptimize"].enabled = true;
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
  (*this)["cmdMonteCarlo"].enabled = true;
  plot_.Redraw();
}

void PlotPage::ToggleDelay() {
  PlotShared& shared = context_.plot;
  shared.DelayOn = static_cast<int16_t>(shared.DelayOn + 1 > 1 ? 0 : shared.DelayOn + 1);
  (*this)["cmdMonteCarlo"].enabled = true;
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
