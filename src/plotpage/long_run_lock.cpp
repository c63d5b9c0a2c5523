// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/long_run_lock.h"

#include "plotpage/plot_page_controls.h"

namespace kestro {

plot_controls::Group LongRunLock::LockedButtons(const PlotPageControls& c) {
  plot_controls::Group all{c.cmdOptimize, c.cmdMC1,      c.cmdMC2,      c.cmdMC5,
                           c.cmdMC10,     c.cmdMC20,     c.cmdEnterAll, c.cmdWidthDown,
                           c.cmdWidthUp,  c.cmdFitLimits};
  const plot_controls::Group choice = plot_controls::RoundingChoice(c);
  all.insert(all.end(), choice.begin(), choice.end());
  for (const PartControls& part : c.parts) {
    all.push_back(part.down);
    all.push_back(part.up);
  }
  return all;
}

LongRunLock::LongRunLock(const PlotPageControls& controls) {
  for (Control* control : LockedButtons(controls)) {
    saved_.emplace_back(control, control->enabled);
    control->enabled = false;
  }
}

LongRunLock::~LongRunLock() {
  for (const auto& [control, enabled] : saved_)
    control->enabled = enabled;
}

}  // namespace kestro
