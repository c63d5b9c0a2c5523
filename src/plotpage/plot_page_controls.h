// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "platform/page.h"

namespace kestro {

// The controls of one part (R1..C3) in the part-tuning and part-editing panels.
struct PartControls {
  Control* label = nullptr;      // lblR1: "R1: " over the tuned value
  Control* value = nullptr;      // lblR1value: the tuned value
  Control* down = nullptr;       // cmdR1down: "<"
  Control* up = nullptr;         // cmdR1up: ">"
  Control* editLabel = nullptr;  // lblR1edit
  Control* editValue = nullptr;  // lblR1editValue: the value last taken in
  Control* editBox = nullptr;    // txtR1value: the typed value
};

// Every control of the analysis page, named as the control. The page sets each one as it adds
// the control; none is null afterwards.
struct PlotPageControls {
  // The top row of page buttons.
  Control* cmdSave = nullptr;
  Control* cmdGet = nullptr;
  Control* cmdDesign = nullptr;
  Control* cmdSchematic = nullptr;
  Control* cmdPlot = nullptr;
  Control* cmdTransient = nullptr;
  Control* cmdTabulate = nullptr;
  Control* cmdPrint = nullptr;
  Control* cmdWrite = nullptr;
  Control* cmdAbout = nullptr;
  Control* cmdQuit = nullptr;
  Control* cmdStages = nullptr;
  Control* cmdPicture = nullptr;  // "Save picture…": the plot sheet as an SVG or PNG file
  // The command column.
  Control* cmdPoles = nullptr;
  Control* cmdDelay = nullptr;
  Control* cmdPhase = nullptr;
  Control* cmdSavePlot = nullptr;
  Control* cmdGetPlot = nullptr;
  Control* cmdMarkers = nullptr;
  Control* cmdLimits = nullptr;
  Control* cmdOptimize = nullptr;
  Control* cmdMonteCarlo = nullptr;
  Control* cmdNearest5 = nullptr;
  Control* cmdRestore = nullptr;
  Control* cmdTuneWidth = nullptr;
  Control* cmdTunePart = nullptr;
  Control* cmdEditPart = nullptr;
  Control* cmdReset = nullptr;
  Control* cmdFitLimits = nullptr;
  // The limit shapes, the tolerance buttons and the rounding choice: series and parts.
  Control* cmdLimit1 = nullptr;
  Control* cmdLimit4 = nullptr;
  Control* cmdLimit2 = nullptr;
  Control* cmdMC1 = nullptr;
  Control* cmdMC2 = nullptr;
  Control* cmdMC5 = nullptr;
  Control* cmdMC10 = nullptr;
  Control* cmdMC20 = nullptr;
  Control* cmdResetMC = nullptr;
  Control* cmd05 = nullptr;
  Control* cmd1 = nullptr;
  Control* cmd2 = nullptr;
  Control* cmd5 = nullptr;
  Control* cmd10 = nullptr;
  Control* cmd20 = nullptr;
  Control* optRoundAll = nullptr;
  Control* optRoundResistors = nullptr;
  Control* optRoundCapacitors = nullptr;
  // The part panels: tuning (UpDown1) and editing (UpDown2).
  Control* lblStageNr = nullptr;
  Control* lblStage = nullptr;
  Control* UpDown1 = nullptr;
  Control* lblStageNrEdit = nullptr;
  Control* lblStageEdit = nullptr;
  Control* UpDown2 = nullptr;
  std::array<PartControls, 6> parts{};  // R1, R2, R3, C1, C2, C3
  Control* cmdEnterAll = nullptr;
  // The bandwidth panel.
  Control* cmdWidthDown = nullptr;
  Control* cmdWidthUp = nullptr;
  Control* lblBandwidth = nullptr;
};

namespace plot_controls {

// The parts of a stage in panel order: index 0..2 are R1..R3, 3..5 are C1..C3.
constexpr int kPartCount = 6;
constexpr bool IsResistor(int part) {
  return part < 3;
}
constexpr std::size_t PartK(int part) {
  return static_cast<std::size_t>(part % 3 + 1);
}

// Controls that the commands switch together.
using Group = std::vector<Control*>;

// Buttons that every panel (part tuning, part editing, bandwidth) disables, besides the openers
// of the other two panels.
Group PanelLockedButtons(const PlotPageControls& c);
// The buttons that lead to the other pages, print or quit: a long run disables them.
Group NavigationButtons(const PlotPageControls& c);
// The controls of each panel, and of the other transient button groups.
Group TunePanelControls(const PlotPageControls& c);
Group EditPanelControls(const PlotPageControls& c);
Group WidthPanelControls(const PlotPageControls& c);
Group ToleranceButtons(const PlotPageControls& c);     // cmdMC1 .. cmdMC20
Group MonteCarloButtons(const PlotPageControls& c);    // and Show Extremes
Group SeriesButtons(const PlotPageControls& c);        // cmd05 .. cmd20
Group RoundedPartsOptions(const PlotPageControls& c);  // all parts, resistors, capacitors
Group RoundingChoice(const PlotPageControls& c);       // both of these
Group LimitShapeButtons(const PlotPageControls& c);

void SetEnabled(const Group& controls, bool enabled);
void SetVisible(const Group& controls, bool visible);

}  // namespace plot_controls
}  // namespace kestro
