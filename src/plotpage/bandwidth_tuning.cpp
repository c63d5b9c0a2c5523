// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/bandwidth_tuning.h"

#include "core/eng_value.h"
#include "plotpage/label_text.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"
#include "usecase/design_command.h"

namespace kestro {
namespace {

constexpr double kStepFactor = 1.01;

}  // namespace

BandwidthTuning::BandwidthTuning(PlotPageControls& controls, AppContext& context,
                                 ResponsePlot& plot)
    : controls_(controls), context_(context), plot_(plot) {}

void BandwidthTuning::OpenPanel() {
  context_.plot.EditPanelOn = 1;
  plot_controls::SetEnabled({controls_.cmdTunePart, controls_.cmdEditPart}, false);
  plot_controls::SetEnabled(plot_controls::PanelLockedButtons(controls_), false);
  const plot::Area& area = plot::kPanelArea;
  plot_.Drawing().Surface().FillRect(area.x1, area.y1, area.x2, area.y2, plot::kPageBackground);
  plot_controls::SetVisible(plot_controls::WidthPanelControls(controls_), true);
  plot_.DrawMarkers();
}

void BandwidthTuning::Step(bool wider) {
  if (context_.record.Family == kManual) {
    ScaleCapacitors(wider);
    controls_.lblBandwidth->caption = kManualCaption;
  } else {
    Resynthesise(wider);
  }
  controls_.cmdRestore->enabled = false;
  plot_.Refresh();
}

// Smaller capacitors give a wider filter.
void BandwidthTuning::ScaleCapacitors(bool wider) {
  for (auto& stage : context_.record.C) {
    for (std::size_t k = 1; k <= 3; ++k) {
      stage[k] = static_cast<float>(wider ? stage[k] / kStepFactor : stage[k] * kStepFactor);
    }
  }
}

void BandwidthTuning::Resynthesise(bool wider) {
  DesignRecord& record = context_.record;
  record.Bandwidth =
      static_cast<float>(wider ? record.Bandwidth * kStepFactor : record.Bandwidth / kStepFactor);
  const std::string caption = FamilyCaption(record);
  if (!caption.empty())
    controls_.lblBandwidth->caption = caption;
  SynthesizeOrReport(record, context_.dialogs);
}

std::string BandwidthTuning::FamilyCaption(const DesignRecord& record) {
  const std::string width = FormatFreq(record.Bandwidth);
  switch (record.Family) {
    case kButterworth:
      return "Butterworth family; 3 dB bandwidth: " + width;
    case kChebyshev:
      return "Chebyshev family; " + label_text::ShortestDecimalLocal(record.Apass) +
             " dB ripple bandwidth: " + width;
    case kBessel:
      return "Bessel family; 1 rad/sec bandwidth: " + width;
    default:
      return {};
  }
}

}  // namespace kestro
