// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/design_record.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"

namespace kestro {

// Entry of gain limits with the mouse on the analysis page: the three shape buttons, the entry
// mode begun from the limits page, and the limit a click on the plot adds.
class LimitEntry final {
 public:
  LimitEntry(PlotPageControls& controls, ResponsePlot& plot, DesignRecord& record);

  // Gives the shape buttons their pictures and click handlers.
  void Wire();

  // A shape button: shape 1, 2 or 4 for the next click, entry into set 1, limits shown; the
  // chosen button turns green. Shape 1 also redraws the plot.
  void ChooseShape(int16_t shape);
  // Enter on the limits page: entry into set 1, the shape buttons shown, the commands that would
  // disturb the entry disabled, and the prompt on the message line.
  void Begin();

  // Whether a release at (x, y) falls where a limit can be entered: an entry under way, strictly
  // inside the box across and below its top edge.
  bool Accepts(float x, float y) const;
  // True when the entry's set cannot take another limit; the page says so on its message line.
  bool SetIsFull();
  // AddLimitAt: the limit of the chosen shape at the analysis point under x and the gain at y,
  // with red guide lines to the box edges it extends to. False when nothing was added.
  bool AddLimitAt(float x, float y);

  // The prompt Begin writes; the refusal a full set gives.
  static constexpr const char* kPrompt = "Enter a gain limit; start by clicking on a shape icon.";
  static constexpr const char* kSetFull = "Nine limits at most: no limit added.";

 private:
  Control& ShapeButton(int16_t shape);
  void PlainShapeFaces();
  void WriteMessage(const std::string& text);
  void DrawGuides(int16_t shape, float x, float y);

  PlotPageControls& controls_;
  ResponsePlot& plot_;
  DesignRecord& record_;
};

}  // namespace kestro
