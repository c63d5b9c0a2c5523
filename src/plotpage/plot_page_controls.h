#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/page.h"

namespace kestro::plot_controls {

// Names of the analysis page's controls that the commands switch together.

// The six parts of a stage, in panel order; index 0..2 are R1..R3, 3..5 are C1..C3.
constexpr std::array<const char*, 6> kParts{"R1", "R2", "R3", "C1", "C2", "C3"};
constexpr bool IsResistor(int part) {
  return part < 3;
}
constexpr std::size_t PartK(int part) {
  return static_cast<std::size_t>(part % 3 + 1);
}

// Buttons that every panel (part tuning, part editing, bandwidth) disables, besides the openers
// of the other two panels.
const std::vector<std::string>& PanelLockedButtons();
// The controls of each panel, and of the other transient button groups.
const std::vector<std::string>& TunePanelControls();
const std::vector<std::string>& EditPanelControls();
const std::vector<std::string>& WidthPanelControls();
const std::vector<std::string>& MonteCarloButtons();
const std::vector<std::string>& SeriesButtons();
const std::vector<std::string>& LimitShapeButtons();

void SetEnabled(Page& page, const std::vector<std::string>& names, bool enabled);
void SetEnabled(Page& page, std::initializer_list<const char*> names, bool enabled);
void SetVisible(Page& page, const std::vector<std::string>& names, bool visible);

}  // namespace kestro::plot_controls
