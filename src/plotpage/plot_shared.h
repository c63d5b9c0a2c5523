// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/design_record.h"

namespace kestro {

// Process-wide state of the analysis page that outlives the page itself: the curve toggles,
// the Monte Carlo envelopes and the flags several commands of the page share.
struct PlotShared {
  int16_t DelayOn = 0;
  int16_t PhaseOn = 0;
  PointArray GridPos{};
  PointArray GainMin{};
  PointArray GainMax{};
  PointArray DelayMin{};
  PointArray DelayMax{};
  int16_t EditPanelOn = 0;
  int16_t OptimizeStop = 1;
  int16_t ColorIndex = 0;

  // Group delay at each marker (s), entries 1..8; 0 until the delay overlay has computed it.
  std::array<float, kMaxMarker + 1> MarkerDelay{};
};

}  // namespace kestro
