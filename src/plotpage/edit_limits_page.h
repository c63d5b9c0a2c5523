#pragma once

#include <cstdint>
#include <vector>

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/plot_redraw.h"

namespace kestro {

// The edit page frmEditLimits: the limits of set 1 as fixed-pitch rows; clicking a row fills the
// four fields with that limit's band and gains, Accept stores them (DC and upward held at 0.01 Hz
// and 1E10 Hz) and lists the limits again. The three shape buttons are a legend only.
class EditLimitsPage final : public Page {
 public:
  EditLimitsPage(AppContext& context, PlotRedraw& plot);

  // The limit that a click on the row `row` (from 0) selects; 0 for none.
  int LimitOfRow(int row) const;

 private:
  struct Row {
    int limit;
    int16_t shape;
  };

  void CreateControls();
  void CreateFields();
  void CreateLegend();
  void BuildList();
  void RowClicked(int row);
  void FillFields(int j);
  void Accept();
  void SetFieldsEnabled(bool enabled);
  void ReturnToPlot();

  AppContext& context_;
  PlotRedraw& plot_;
  std::vector<Row> rows_;
  int selected_ = 0;  // limit number of the clicked row, 0 before any click
};

}  // namespace kestro
