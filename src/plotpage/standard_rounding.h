#pragma once

#include "core/design_record.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"
#include "synthesis/standard_series.h"

namespace kestro {

// "Nearest %" on the analysis page: saves the present parts and offers the four series buttons
// ("2%" E48, "5%" E24, "10%" E12, "20%" E6); a series button rounds every part of every stage,
// re-analyses and redraws. Restore brings the saved values back. A rounded design is hand-made.
class StandardRounding final {
 public:
  StandardRounding(PlotPageControls& controls, DesignRecord& record, ResponsePlot& plot);

  // cmdNearest5: save R and C of stages 1..Order, show the series buttons, mark the design
  // rounded and hand-made. Nothing is rounded yet.
  void OfferSeries();
  // cmd2, cmd5, cmd10, cmd20.
  void RoundTo(const StandardSeries& series);

  // Rounds R1 (when above 0.001), R2, R3, C1, C2, C3 of stages 1..NrStages to the series. A part
  // of 0 or less has no neighbours in a series and is left as it is.
  static void RoundParts(DesignRecord& record, const StandardSeries& series);

 private:
  void MarkRounded();

  PlotPageControls& controls_;
  DesignRecord& record_;
  ResponsePlot& plot_;
};

}  // namespace kestro
