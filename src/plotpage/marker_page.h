// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/design_record.h"
#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/plot_redraw.h"

namespace kestro {

// Every control of the marker page, named as the control; set as the page adds them. The rows
// of marker k = 1..8 are at index k - 1.
struct MarkerPageControls {
  Control* lblTitle = nullptr;
  std::array<Control*, kUsedMarkers> lblMarkerFrequency{};
  std::array<Control*, kUsedMarkers> txtMarkerFrequency{};
  Control* cmdMarkerOn = nullptr;
  Control* cmdMarkerHide = nullptr;
  Control* cmdMarkerErase = nullptr;
  Control* cmdExit = nullptr;
};

// The marker page frmMarker: eight marker frequencies in engineering notation, and Show, Hide,
// Erase all and Return. Every keystroke in a box is read into MarkerFreq at once, so the record
// always holds what the boxes show. The page redraws the analysis page through `plot`, which
// does nothing while no analysis page is open.
class MarkerPage final : public Page {
 public:
  MarkerPage(AppContext& context, PlotRedraw& plot);

  // Where the window sits on the screen, as fractions of the screen width and height.
  struct Placement {
    double left, top, width, height;
  };
  static constexpr Placement kPlacement{0.40, 0.13, 0.18, 0.80};

 private:
  void CreateControls();
  void CreateRows();
  void LoadFrequencies();
  void FrequencyTyped(int k);
  Control& Box(int k);
  void Show();
  void Hide();
  void EraseAll();
  void Close();

  AppContext& context_;
  PlotRedraw& plot_;
  MarkerPageControls controls_;
};

}  // namespace kestro
