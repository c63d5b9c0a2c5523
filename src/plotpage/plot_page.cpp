#include "plotpage/plot_page.h"

#include <cmath>

#include "analysis/response_engine.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_page_layout.h"
#include "plotpage/plot_palette.h"
#include "views/print_job.h"
#include "views/print_plot.h"

namespace kestro {

PlotPage::PlotPage(AppContext& context)
    : context_(context),
      surface_([this] { return canvas(); }),
      plot_(surface_, context.record, context.plot),
      parts_(*this, context, plot_),
      rounding_(*this, context.record, plot_),
      bandwidth_(*this, context, plot_) {
  SetWindowCaption("KestroLab - Plot");
  SetBackColour(plot::kPageBackground);
  CreateControls();
  SetUpSpinners();
  SetOpeningStates();
  WireCommands();
  Analyze(context_.record);
  ComputeGridFreqs(context_.record);
  PlotShared& shared = context_.plot;
  shared.RedrawPlot = [this] { plot_.Redraw(); };
  shared.ClearMarkerArea = [this] { plot_.Markers().ClearDataArea(); };
  shared.HookOwner = this;
}

PlotPage::~PlotPage() {
  PlotShared& shared = context_.plot;
  if (shared.HookOwner != this)
    return;
  shared.RedrawPlot = nullptr;
  shared.ClearMarkerArea = nullptr;
  shared.HookOwner = nullptr;
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
  if (context_.record.MarkersOn != 1)
    return;
  if (context_.plot.DelayOn == 1)
    drawing.PlotDelay();
  drawing.PlotPhase();
  plot_.Markers().PlotMarkerGain();  // the markers the user switched on show from the start
  plot_.Markers().PlotMarkerDelay();
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
  for (const char* name :
       {"cmdSavePlot", "cmdGetPlot", "cmdOptimize", "cmdMonteCarlo", "cmdResetMC", "cmdMC1",
        "cmdMC2", "cmdMC5", "cmdMC10", "cmdMC20", "cmdLimit1", "cmdLimit2", "cmdLimit4"}) {
    (*this)[name].onClick = [this] { NotBuilt(); };
  }
  WirePanels();
  WireNavigation();
}

// The plot sheet; an open part or bandwidth panel does not hide the delay markers on paper.
void PlotPage::PrintPlot() {
  context_.plot.EditPanelOn = 0;
  const auto device = NewPrintJob(context_.printers);
  PlotPrintout(context_.record, context_.plot, *device, context_.dialogs).Run();
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
  (*this)["cmdLimits"].onClick = [this] { NotBuilt(); };  // the limits pages come with later work
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

void PlotPage::NotBuilt() {
  context_.dialogs.Message(kNotBuiltMessage);
}

void PlotPage::OnMouseDown(int /*button*/, float x, float y) {
  if (PlotMapping::InsideBox(x, y))
    NotBuilt();  // the mouse readout comes with later work
}

}  // namespace kestro
