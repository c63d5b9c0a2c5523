// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/part_adjustment.h"

#include <algorithm>
#include <cmath>

#include "core/eng_value.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"

namespace kestro {

using plot_controls::IsResistor;
using plot_controls::kPartCount;
using plot_controls::PartK;

namespace {

constexpr double kStepFactor = 1.01;
// Accepted ranges of typed values, both ends included.
constexpr float kMinResistor = 10.0f;
constexpr float kMaxResistor = 1e7f;
constexpr float kMinCapacitor = 1e-12f;
constexpr float kMaxCapacitor = 1e-5f;

}  // namespace

PartAdjustment::PartAdjustment(PlotPageControls& controls, AppContext& context, ResponsePlot& plot)
    : controls_(controls), record_(context.record), shared_(context.plot), plot_(plot) {}

// --- Panels ---

void PartAdjustment::OpenTunePanel() {
  EnterPanel(*controls_.cmdEditPart);
  ResetStageDisplay(*controls_.UpDown1, *controls_.lblStage);
  plot_controls::SetVisible(plot_controls::TunePanelControls(controls_), true);
  ShowTuneValues();
}

void PartAdjustment::OpenEditPanel() {
  EnterPanel(*controls_.cmdTunePart);
  ResetStageDisplay(*controls_.UpDown2, *controls_.lblStageEdit);
  plot_controls::SetVisible(plot_controls::EditPanelControls(controls_), true);
  ShowEditValues();
}

void PartAdjustment::EnterPanel(Control& otherOpener) {
  shared_.EditPanelOn = 1;
  plot_controls::SetEnabled({controls_.cmdTuneWidth, &otherOpener}, false);
  plot_controls::SetEnabled(plot_controls::PanelLockedButtons(controls_), false);
  ClearPanelArea();
  selectedStage_ = 1;
}

void PartAdjustment::ClearPanelArea() {
  const plot::Area& area = plot::kPanelArea;
  plot_.Drawing().Surface().FillRect(area.x1, area.y1, area.x2, area.y2, plot::kPageBackground);
}

// A reopened panel shows stage 1, the stage it selects.
void PartAdjustment::ResetStageDisplay(Control& spinner, Control& label) {
  spinner.value = 1;
  label.caption = std::to_string(1);
}

void PartAdjustment::TuneStageChanged() {
  selectedStage_ = StageFromLabel(*controls_.lblStage);
  ShowTuneValues();
}

void PartAdjustment::EditStageChanged() {
  selectedStage_ = StageFromLabel(*controls_.lblStageEdit);
  ShowEditValues();
}

void PartAdjustment::ShowTuneValues() {
  for (int part = 0; part < kPartCount; ++part)
    Of(part).value->caption = FormatPart(part, PartValue(part));
}

void PartAdjustment::ShowEditValues() {
  for (int part = 0; part < kPartCount; ++part) {
    const float value = PartValue(part);
    const std::string text = FormatPart(part, value);
    Of(part).editBox->caption = text;
    Of(part).editValue->caption = text;
    shown_[static_cast<std::size_t>(part)] = {text, value};
  }
}

// --- Changes ---

void PartAdjustment::Step(int part, bool up) {
  if (part < 0 || part >= kPartCount)
    return;
  record_.Family = kManual;
  record_.PartsModified = 1;
  selectedStage_ = StageFromLabel(*controls_.lblStage);
  float& value = PartValue(part);
  value = static_cast<float>(up ? value * kStepFactor : value / kStepFactor);
  Of(part).value->caption = FormatPart(part, value);
  plot_.Refresh();
}

// Only an edited box makes the design hand-made: Enter all over untouched boxes changes nothing.
void PartAdjustment::EnterAll() {
  bool edited = false;
  for (int part = 0; part < kPartCount; ++part)
    edited = EnterPart(part) || edited;
  if (edited) {
    record_.Family = kManual;
    record_.PartsModified = 1;
  }
  plot_.Refresh();
}

// Returns whether the box was edited since it was filled (or the part changed under it).
bool PartAdjustment::EnterPart(int part) {
  Control& box = *Of(part).editBox;
  float& value = PartValue(part);
  Shown& shown = shown_[static_cast<std::size_t>(part)];
  if (box.caption == shown.text && value == shown.value)
    return false;
  ReadEngValue(box.caption, value);
  ClampPart(part, value);
  box.caption = FormatPart(part, value);
  Of(part).editValue->caption = box.caption;
  shown = {box.caption, value};
  return true;
}

// The accepted ranges; R1 = 0 and a C1 at the floor mean "no such part" in a two-pole stage.
void PartAdjustment::ClampPart(int part, float& value) const {
  const bool absentPart = PartK(part) == 1 && IsTwoPoleStage();
  if (IsResistor(part)) {
    if (!(absentPart && value == 0.0f))
      value = std::clamp(value, kMinResistor, kMaxResistor);
  } else if (absentPart && value <= kCapacitorFloor) {
    value = kCapacitorFloor;
  } else {
    value = std::clamp(value, kMinCapacitor, kMaxCapacitor);
  }
}

// Stage 1 of an odd order is the three-pole stage; every other stage has two poles.
bool PartAdjustment::IsTwoPoleStage() const {
  return record_.Order % 2 == 0 || selectedStage_ != 1;
}

// --- Page states ---

void PartAdjustment::Clear() {
  HideTransientControls();
  shared_.EditPanelOn = 0;
  RestoreButtonStates();
  plot_controls::SetVisible(plot_controls::TunePanelControls(controls_), false);
  plot_controls::SetVisible(plot_controls::EditPanelControls(controls_), false);
  controls_.cmdLimits->enabled = true;
  plot_controls::SetVisible(plot_controls::LimitShapeButtons(controls_), false);
  plot_controls::SetVisible(plot_controls::WidthPanelControls(controls_), false);
  if (record_.Rounded == 1) {
    controls_.cmdRestore->enabled = true;
  } else {
    controls_.cmdNearest5->enabled = true;
    controls_.cmdRestore->enabled = false;
  }
  shared_.OptimizeStop = 1;  // an optimizer run in progress ends at its next check
  plot_.Refresh();
}

void PartAdjustment::HideTransientControls() {
  plot_controls::SetVisible(plot_controls::MonteCarloButtons(controls_), false);
  plot_controls::SetVisible(plot_controls::RoundingChoice(controls_), false);
}

void PartAdjustment::RestoreButtonStates() {
  const PlotPageControls& c = controls_;
  plot_controls::SetEnabled({c.cmdTuneWidth, c.cmdTunePart, c.cmdEditPart, c.cmdMonteCarlo,
                             c.cmdSavePlot, c.cmdNearest5, c.cmdRestore, c.cmdGetPlot},
                            true);
  c.cmdPoles->enabled = record_.Family != kManual;
  plot_controls::SetEnabled({c.cmdDelay, c.cmdPhase}, true);
  plot_controls::SetEnabled({c.cmdSave, c.cmdGet}, false);
  plot_controls::SetEnabled(plot_controls::NavigationButtons(c), true);
}

void PartAdjustment::Restore() {
  controls_.cmdRestore->enabled = false;
  controls_.cmdNearest5->enabled = true;
  record_.Rounded = 0;
  const int last = std::clamp<int>(record_.Order, 0, kMaxStage);  // the order, not the stages
  for (int s = 1; s <= last; ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k) {
      record_.R[stage][k] = record_.Rsaved[stage][k];
      record_.C[stage][k] = record_.Csaved[stage][k];
    }
  }
  plot_.AnalyzeAndRedraw();
}

// --- Helpers ---

// The stage number a panel label shows, kept within the stages of the design.
int16_t PartAdjustment::StageFromLabel(const Control& label) const {
  float shown = 0;
  ReadEngValue(label.caption, shown);
  const long stage = std::lrint(shown);
  return static_cast<int16_t>(std::clamp<long>(stage, 1, std::max(1, StageCount(record_))));
}

PartControls& PartAdjustment::Of(int part) {
  return controls_.parts[static_cast<std::size_t>(part)];
}

float& PartAdjustment::PartValue(int part) {
  const auto stage = static_cast<std::size_t>(selectedStage_);
  if (IsResistor(part))
    return record_.R[stage][PartK(part)];
  return record_.C[stage][PartK(part)];
}

std::string PartAdjustment::FormatPart(int part, float value) {
  return IsResistor(part) ? FormatNum(value) : FormatCap(value);
}

}  // namespace kestro
