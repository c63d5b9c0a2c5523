#include "plotpage/standard_rounding.h"

#include <algorithm>

#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"

namespace kestro {

StandardRounding::StandardRounding(PlotPageControls& controls, DesignRecord& record,
                                   ResponsePlot& plot)
    : controls_(controls), record_(record), plot_(plot) {}

void StandardRounding::OfferSeries() {
  const int last = std::clamp<int>(record_.Order, 0, kMaxStage);  // the order, not the stages
  for (int s = 1; s <= last; ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k) {
      record_.Rsaved[stage][k] = record_.R[stage][k];
      record_.Csaved[stage][k] = record_.C[stage][k];
    }
  }
  for (Control* button : plot_controls::SeriesButtons(controls_)) {
    button->visible = true;
    button->face = plot::kTuningFace;
  }
  MarkRounded();
}

void StandardRounding::RoundTo(const StandardSeries& series) {
  RoundParts(record_, series);
  plot_.AnalyzeAndRedraw();
  MarkRounded();
  plot_controls::SetVisible(plot_controls::SeriesButtons(controls_), false);
}

void StandardRounding::MarkRounded() {
  record_.Rounded = 1;
  controls_.cmdRestore->enabled = true;
  record_.Family = kManual;
  record_.PartsModified = 1;
  controls_.cmdPoles->enabled = false;
}

void StandardRounding::RoundParts(DesignRecord& record, const StandardSeries& series) {
  const int stages = StageCount(record);
  for (int s = 1; s <= stages; ++s) {
    auto& r = record.R[static_cast<std::size_t>(s)];
    auto& c = record.C[static_cast<std::size_t>(s)];
    if (r[1] > 0.001f)
      r[1] = series.Nearest(r[1]);  // a two-pole stage keeps R1 = 0
    r[2] = series.Nearest(r[2]);
    r[3] = series.Nearest(r[3]);
    c[1] = series.Nearest(c[1]);  // the floor 1e-13 of an absent C1 stays near the floor
    c[2] = series.Nearest(c[2]);
    c[3] = series.Nearest(c[3]);
  }
}

}  // namespace kestro
