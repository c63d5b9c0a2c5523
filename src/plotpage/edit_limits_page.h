// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/plot_redraw.h"

namespace kestro {

// Every control of the edit page, named as the control; set as the page adds them. The legend's
// shapes 1, 2 and 4 are at index 0, 1 and 2.
struct EditLimitsPageControls {
  Control* lblGuidance = nullptr;
  Control* lstSelect = nullptr;
  Control* lblStart = nullptr;
  Control* txtStart = nullptr;
  Control* lblStop = nullptr;
  Control* txtStop = nullptr;
  Control* lblUpper = nullptr;
  Control* txtUpper = nullptr;
  Control* lblLower = nullptr;
  Control* txtLower = nullptr;
  std::array<Control*, 3> cmdShape{};
  std::array<Control*, 3> lblShape{};
  Control* cmdAccept = nullptr;
  Control* cmdExit = nullptr;
};

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

  std::array<Control*, 4> Fields() const;

  AppContext& context_;
  PlotRedraw& plot_;
  EditLimitsPageControls controls_;
  std::vector<Row> rows_;
  int selected_ = 0;  // limit number of the clicked row, 0 before any click
};

}  // namespace kestro
