// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/plot_redraw.h"
#include "usecase/limit_fit.h"

namespace kestro {

// Every control of the fit page, named as the control; set as the page adds them.
struct FitLimitsPageControls {
  Control* lblTitle = nullptr;
  Control* lblColumns = nullptr;
  Control* lstFitRows = nullptr;
  Control* cmdFitDesign = nullptr;
  Control* cmdFitClose = nullptr;
};

// The fit page frmFitLimits: for each family the lowest order and a bandwidth at which the gain
// keeps every gain limit, one row each. Picking a met row and pressing Design makes it the design
// (the Design command with its synthesis), and the analysis page takes it up and redraws.
class FitLimitsPage final : public Page {
 public:
  FitLimitsPage(AppContext& context, PlotRedraw& plot);

  // A row as the list shows it, in columns under kColumns; a family without a fit shows why.
  static std::string RowText(const FitRow& row);
  static constexpr const char* kColumns = "Family       Order  Width, Hz   Ripple    Margin";

 private:
  void CreateControls();
  void Pick(int row);
  void DesignPicked();
  void Close();

  AppContext& context_;
  PlotRedraw& plot_;
  FitLimitsPageControls controls_;
  std::vector<FitRow> rows_;
  int picked_ = -1;
};

}  // namespace kestro
