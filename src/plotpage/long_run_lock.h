// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <vector>

#include "plotpage/plot_page_controls.h"

namespace kestro {

// Holds the analysis page's run-starting and part-changing buttons disabled while the optimizer
// or the Monte Carlo analysis runs, so that neither a second run nor a part step can start inside
// it (the run lets the page process clicks between trials). Each button gets back the state it
// had when the lock was taken; Clear stays available throughout.
class LongRunLock final {
 public:
  explicit LongRunLock(const PlotPageControls& controls);
  ~LongRunLock();
  LongRunLock(const LongRunLock&) = delete;
  LongRunLock& operator=(const LongRunLock&) = delete;

  // The buttons the lock holds.
  static plot_controls::Group LockedButtons(const PlotPageControls& c);

 private:
  std::vector<std::pair<Control*, bool>> saved_;
};

}  // namespace kestro
