// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "core/standard_series.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"
#include "synthesis/part_rounding.h"

namespace kestro {

// "Nearest %" on the analysis page: saves the present parts and offers the six series buttons
// ("0.5%" E192, "1%" E96, "2%" E48, "5%" E24, "10%" E12, "20%" E6) with the choice of the parts
// they round: all parts, resistors only or capacitors only. A series button rounds the chosen
// parts of every stage, re-analyses and redraws. Restore brings the saved values back. A rounded
// design is hand-made.
class StandardRounding final {
 public:
  StandardRounding(PlotPageControls& controls, DesignRecord& record, ResponsePlot& plot);

  // Groups the parts options in one frame with "All parts" chosen; once, after the page has
  // added its controls.
  void SetUpChoice();
  // cmdNearest5: save R and C of stages 1..Order, show the series and parts choice, mark the
  // design rounded and hand-made. Nothing is rounded yet.
  void OfferSeries();
  // cmd05 .. cmd20: round the chosen parts.
  void RoundTo(const StandardSeries& series);

 private:
  RoundedParts ChosenParts() const;
  void MarkRounded();

  PlotPageControls& controls_;
  DesignRecord& record_;
  ResponsePlot& plot_;
};

}  // namespace kestro
