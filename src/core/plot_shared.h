#pragma once

#include <cstdint>
#include <functional>

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

  // --- Hooks of the open analysis page; empty while it is closed ---
  // Secondary windows (markers, limits) redraw the analysis page through these.
  // RedrawPlot: gain, delay, phase and the marker overlays, in that order.
  std::function<void()> RedrawPlot;
  // ClearMarkerArea: paints the marker data area under the plot with the page background.
  std::function<void()> ClearMarkerArea;
  // BeginLimitEntry: the Enter command of the limits page on the analysis page (shape buttons,
  // disabled commands, the prompt). DisableOptimize: hiding the limits disables Optimize.
  std::function<void()> BeginLimitEntry;
  std::function<void()> DisableOptimize;
  // The page that set the hooks; only it clears them again.
  const void* HookOwner = nullptr;
};

}  // namespace kestro
