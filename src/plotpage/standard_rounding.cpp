// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/standard_rounding.h"

#include <algorithm>

#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"

namespace kestro {

StandardRounding::StandardRounding(PlotPageControls& controls, DesignRecord& record,
                                   ResponsePlot& plot)
    : controls_(controls), record_(record), plot_(plot) {}

void StandardRounding::SetUpChoice() {
  for (Control* option : plot_controls::RoundedPartsOptions(controls_))
    option->frame = "fraRoundedParts";
  controls_.optRoundAll->checked = true;
}

void StandardRounding::OfferSeries() {
  const int last = std::clamp<int>(record_.Order, 0, kMaxStage);  // the order, not the stages
  for (int s = 1; s <= last; ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k) {
      record_.Rsaved[stage][k] = record_.R[stage][k];
      record_.Csaved[stage][k] = record_.C[stage][k];
    }
  }
  for (Control* control : plot_controls::RoundingChoice(controls_)) {
    control->visible = true;
    control->face = plot::kTuningFace;
  }
  MarkRounded();
}

void StandardRounding::RoundTo(const StandardSeries& series) {
  RoundToSeries(record_, PartSeries::For(ChosenParts(), series));
  plot_.AnalyzeAndRedraw();
  MarkRounded();
  plot_controls::SetVisible(plot_controls::RoundingChoice(controls_), false);
}

RoundedParts StandardRounding::ChosenParts() const {
  if (controls_.optRoundResistors->checked)
    return RoundedParts::kResistors;
  if (controls_.optRoundCapacitors->checked)
    return RoundedParts::kCapacitors;
  return RoundedParts::kAll;
}

void StandardRounding::MarkRounded() {
  record_.Rounded = 1;
  controls_.cmdRestore->enabled = true;
  record_.Family = kManual;
  record_.PartsModified = 1;
  controls_.cmdPoles->enabled = false;
}

}  // namespace kestro
