// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_page_controls.h"

namespace kestro::plot_controls {
namespace {

// One control of every part, in part order.
Group PerPart(const PlotPageControls& c, Control* PartControls::*control) {
  Group group;
  group.reserve(c.parts.size());
  for (const PartControls& part : c.parts)
    group.push_back(part.*control);
  return group;
}

void Append(Group& to, const Group& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

Group PanelLockedButtons(const PlotPageControls& c) {
  return {c.cmdNearest5, c.cmdMonteCarlo, c.cmdLimits, c.cmdMarkers, c.cmdGetPlot,
          c.cmdSavePlot, c.cmdPhase,      c.cmdDelay,  c.cmdPoles,   c.cmdFitLimits};
}

Group NavigationButtons(const PlotPageControls& c) {
  return {c.cmdDesign, c.cmdSchematic, c.cmdPlot,  c.cmdMarkers, c.cmdTransient, c.cmdTabulate,
          c.cmdPrint,  c.cmdPicture,   c.cmdWrite, c.cmdAbout,   c.cmdQuit,      c.cmdStages};
}

Group TunePanelControls(const PlotPageControls& c) {
  Group all{c.lblStageNr, c.lblStage, c.UpDown1};
  Append(all, PerPart(c, &PartControls::label));
  Append(all, PerPart(c, &PartControls::value));
  Append(all, PerPart(c, &PartControls::down));
  Append(all, PerPart(c, &PartControls::up));
  return all;
}

Group EditPanelControls(const PlotPageControls& c) {
  Group all{c.lblStageNrEdit, c.lblStageEdit, c.UpDown2};
  Append(all, PerPart(c, &PartControls::editLabel));
  Append(all, PerPart(c, &PartControls::editValue));
  Append(all, PerPart(c, &PartControls::editBox));
  all.push_back(c.cmdEnterAll);
  return all;
}

Group WidthPanelControls(const PlotPageControls& c) {
  return {c.cmdWidthDown, c.cmdWidthUp, c.lblBandwidth};
}

Group ToleranceButtons(const PlotPageControls& c) {
  return {c.cmdMC1, c.cmdMC2, c.cmdMC5, c.cmdMC10, c.cmdMC20};
}

Group MonteCarloButtons(const PlotPageControls& c) {
  Group all = ToleranceButtons(c);
  all.push_back(c.cmdResetMC);
  return all;
}

Group SeriesButtons(const PlotPageControls& c) {
  return {c.cmd05, c.cmd1, c.cmd2, c.cmd5, c.cmd10, c.cmd20};
}

Group RoundedPartsOptions(const PlotPageControls& c) {
  return {c.optRoundAll, c.optRoundResistors, c.optRoundCapacitors};
}

Group RoundingChoice(const PlotPageControls& c) {
  Group all = SeriesButtons(c);
  Append(all, RoundedPartsOptions(c));
  return all;
}

Group LimitShapeButtons(const PlotPageControls& c) {
  return {c.cmdLimit1, c.cmdLimit2, c.cmdLimit4};
}

void SetEnabled(const Group& controls, bool enabled) {
  for (Control* control : controls)
    control->enabled = enabled;
}

void SetVisible(const Group& controls, bool visible) {
  for (Control* control : controls)
    control->visible = visible;
}

}  // namespace kestro::plot_controls
