#include "plotpage/plot_page_controls.h"

namespace kestro::plot_controls {
namespace {

std::vector<std::string> PerPart(const std::string& prefix, const std::string& suffix) {
  std::vector<std::string> names;
  names.reserve(kParts.size());
  for (const char* part : kParts)
    names.push_back(std::string(prefix).append(part).append(suffix));
  return names;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

const std::vector<std::string>& PanelLockedButtons() {
  static const std::vector<std::string> names{"cmdNearest5", "cmdMonteCarlo", "cmdLimits",
                                              "cmdMarkers",  "cmdGetPlot",    "cmdSavePlot",
                                              "cmdPhase",    "cmdDelay",      "cmdPoles"};
  return names;
}

const std::vector<std::string>& TunePanelControls() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all{"lblStageNr", "lblStage", "UpDown1"};
    Append(all, PerPart("lbl", ""));
    Append(all, PerPart("lbl", "value"));
    Append(all, PerPart("cmd", "down"));
    Append(all, PerPart("cmd", "up"));
    return all;
  }();
  return names;
}

const std::vector<std::string>& EditPanelControls() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all{"lblStageNrEdit", "lblStageEdit", "UpDown2"};
    Append(all, PerPart("lbl", "edit"));
    Append(all, PerPart("lbl", "editValue"));
    Append(all, PerPart("txt", "value"));
    all.emplace_back("cmdEnterAll");
    return all;
  }();
  return names;
}

const std::vector<std::string>& WidthPanelControls() {
  static const std::vector<std::string> names{"cmdWidthDown", "cmdWidthUp", "lblBandwidth"};
  return names;
}

const std::vector<std::string>& MonteCarloButtons() {
  static const std::vector<std::string> names{"cmdMC1",  "cmdMC2",  "cmdMC5",
                                              "cmdMC10", "cmdMC20", "cmdResetMC"};
  return names;
}

const std::vector<std::string>& SeriesButtons() {
  static const std::vector<std::string> names{"cmd2", "cmd5", "cmd10", "cmd20"};
  return names;
}

const std::vector<std::string>& LimitShapeButtons() {
  static const std::vector<std::string> names{"cmdLimit1", "cmdLimit2", "cmdLimit4"};
  return names;
}

void SetEnabled(Page& page, const std::vector<std::string>& names, bool enabled) {
  for (const std::string& name : names)
    page[name].enabled = enabled;
}

void SetEnabled(Page& page, std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names)
    page[name].enabled = enabled;
}

void SetVisible(Page& page, const std::vector<std::string>& names, bool visible) {
  for (const std::string& name : names)
    page[name].visible = visible;
}

}  // namespace kestro::plot_controls
