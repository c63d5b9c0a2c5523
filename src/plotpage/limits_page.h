// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/plot_redraw.h"

namespace kestro {

// Every control of the limits page, named as the control; set as the page adds them.
struct LimitsPageControls {
  Control* lblTitle = nullptr;
  Control* cmdEnter = nullptr;
  Control* cmdLimitsEdit = nullptr;
  Control* cmdLimitsEraseAll = nullptr;
  Control* cmdLimitsHide = nullptr;
  Control* cmdLimitsOn = nullptr;
};

// The limits page frmLimits: Enter (limit entry with the mouse on the analysis page), Edit (the
// edit page), Erase all, Hide and Show. It works on the analysis page through the plot link and
// closes itself after every command but Edit.
class LimitsPage final : public Page {
 public:
  LimitsPage(AppContext& context, PlotRedraw& plot);

  static constexpr const char* kNoLimits = "No limits areas have been entered";

 private:
  void CreateControls();
  void Enter();
  void Edit();
  void EraseAll();
  void Hide();
  void Show();
  void Close();

  AppContext& context_;
  PlotRedraw& plot_;
  LimitsPageControls controls_;
};

}  // namespace kestro
