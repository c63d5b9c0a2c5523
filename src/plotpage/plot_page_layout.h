// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/page.h"
#include "plotpage/plot_page_controls.h"

namespace kestro {

// One control of a page layout: kind, name, caption and place in page units, how it starts, and
// the member of the page's controls that holds it once it is added.
struct ControlLayout {
  ControlKind kind = ControlKind::Button;
  std::string name;
  std::string caption;
  float left = 0, top = 0, width = 0, height = 0;
  std::optional<Rgb> face;
  bool visible = true;
  Control** slot = nullptr;
};

// The controls of the analysis page in creation order, each bound to its member of `controls`:
// the top row of page buttons, the command column at the left, and the panels under the plot
// that share places and are shown in turn (part tuning, part editing, bandwidth, rounding
// series, Monte Carlo, limit shapes). Panel controls start hidden.
std::vector<ControlLayout> PlotPageLayout(PlotPageControls& controls);

}  // namespace kestro
