// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/edit_limits_page.h"

#include <array>
#include <string>

#include "core/eng_value.h"
#include "core/gain_limits.h"
#include "plotpage/shape_pictures.h"

namespace kestro {
namespace {

constexpr float kShareWidth = 0.62f, kShareHeight = 0.62f;
constexpr Rgb kGreyedText{150, 150, 150};

// Places in the page's own units.
constexpr float kLeft = 400;
constexpr float kFullWidth = 11200;
constexpr float kFieldTop = 4700;
constexpr float kFieldPitch = 550;
constexpr float kFieldHeight = 420;

// A typed start below 0.011 Hz stands for DC, a typed stop of 0 Hz (or less) for the lowest stop.
constexpr float kDcBelow = 0.011f;
constexpr float kLowestStop = 0.012f;

struct Field {
  Control* EditLimitsPageControls::*box;
  const char* boxName;
  Control* EditLimitsPageControls::*label;
  const char* labelName;
  const char* caption;
};
using C = EditLimitsPageControls;
constexpr std::array<Field, 4> kFields{
    {{&C::txtStart, "txtStart", &C::lblStart, "lblStart", "Starting frequency:"},
     {&C::txtStop, "txtStop", &C::lblStop, "lblStop", "Stopping frequency:"},
     {&C::txtUpper, "txtUpper", &C::lblUpper, "lblUpper", "Minimum allowed:"},
     {&C::txtLower, "txtLower", &C::lblLower, "lblLower", "Maximum allowed:"}}};

std::size_t At(int j) {
  return static_cast<std::size_t>(j);
}

}  // namespace

EditLimitsPage::EditLimitsPage(AppContext& context, PlotRedraw& plot)
    : context_(context), plot_(plot) {
  SetWindowCaption("Edit limits");
  SetWindowShare(kShareWidth, kShareHeight);
  CreateControls();
  BuildList();
}

void EditLimitsPage::CreateControls() {
  controls_.lblGuidance =
      &Add(ControlKind::Label, "lblGuidance", "Click on a limit in the list to edit it:", kLeft,
           250, kFullWidth, 400);
  Control& list = Add(ControlKind::ListBox, "lstSelect", "", kLeft, 700, kFullWidth, 3700);
  list.fixedPitch = true;
  list.fontScale = 0.9f;
  list.onRowClick = [this](int row) { RowClicked(row); };
  controls_.lstSelect = &list;
  CreateFields();
  CreateLegend();
  controls_.cmdAccept =
      &Add(ControlKind::Button, "cmdAccept", "Accept these values", kLeft, 7400, 5300, 600);
  controls_.cmdAccept->onClick = [this] { Accept(); };
  controls_.cmdExit =
      &Add(ControlKind::Button, "cmdExit", "Return to Plot page", 6300, 7400, 5300, 600);
  controls_.cmdExit->onClick = [this] { ReturnToPlot(); };
  SetFieldsEnabled(false);
}

void EditLimitsPage::CreateFields() {
  float top = kFieldTop;
  for (const Field& field : kFields) {
    controls_.*field.label =
        &Add(ControlKind::Label, field.labelName, field.caption, kLeft, top, 2700, kFieldHeight);
    controls_.*field.box =
        &Add(ControlKind::TextBox, field.boxName, "", 3200, top, 2600, kFieldHeight);
    top += kFieldPitch;
  }
}

// The legend: each shape's picture with its code under it; the widget names carry the code.
void EditLimitsPage::CreateLegend() {
  constexpr std::array<int16_t, 3> kShapes{kFloorFromDc, kCeilingUpward, kCeilingFromDc};
  float left = 6500;
  for (std::size_t at = 0; at < kShapes.size(); ++at) {
    const std::string code = std::to_string(kShapes[at]);
    controls_.cmdShape[at] =
        &Add(ControlKind::Button, "cmdShape" + code, "", left, kFieldTop, 1500, 1500);
    controls_.cmdShape[at]->picture = LimitShapePicture(kShapes[at]);
    controls_.lblShape[at] = &Add(ControlKind::Label, "lblShape" + code, "Shape " + code, left,
                                  kFieldTop + 1550, 1500, 400);
    controls_.lblShape[at]->align = TextAlign::Center;
    left += 1750;
  }
}

void EditLimitsPage::BuildList() {
  Control& list = *controls_.lstSelect;
  list.rows.clear();
  rows_.clear();
  const DesignRecord& record = context_.record;
  for (int j = 1; j <= LimitCount(record, kGainLimitSet); ++j) {
    if (!LimitIsListed(record, j))
      continue;
    list.rows.push_back(LimitListRow(record, j));
    rows_.push_back({j, static_cast<int16_t>(record.LimitShape[At(j)][kGainLimitSet])});
  }
}

int EditLimitsPage::LimitOfRow(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
    return 0;
  return rows_[static_cast<std::size_t>(row)].limit;
}

void EditLimitsPage::RowClicked(int row) {
  selected_ = LimitOfRow(row);
  if (selected_ == 0)
    return;
  SetFieldsEnabled(true);
  controls_.lblGuidance->foreColour = kGreyedText;
  FillFields(selected_);
  const Row& picked = rows_[static_cast<std::size_t>(row)];
  const DesignRecord& record = context_.record;
  controls_.txtStart->enabled = record.LimitStart[At(selected_)][kGainLimitSet] > kLimitDc;
  controls_.txtStop->enabled = record.LimitStop[At(selected_)][kGainLimitSet] < kLimitUpward;
  controls_.txtLower->enabled = picked.shape != kFloorFromDc;
  controls_.txtUpper->enabled = picked.shape != kCeilingUpward && picked.shape != kCeilingFromDc;
}

void EditLimitsPage::FillFields(int j) {
  const DesignRecord& record = context_.record;
  controls_.txtStart->caption = FormatFreq(record.LimitStart[At(j)][kGainLimitSet]);
  controls_.txtStop->caption = FormatFreq(record.LimitStop[At(j)][kGainLimitSet]);
  controls_.txtUpper->caption = FormatEng(record.LimitTop[At(j)][kGainLimitSet]);
  controls_.txtLower->caption = FormatEng(record.LimitBottom[At(j)][kGainLimitSet]);
}

// The accepted limit is no longer selected, so a second Accept cannot store the cleared fields.
void EditLimitsPage::Accept() {
  DesignRecord& record = context_.record;
  record.LimitsOn = 1;
  if (selected_ == 0)
    return;
  float start = 0, stop = 0, top = 0, bottom = 0;
  ReadEngValue(controls_.txtStart->caption, start);
  ReadEngValue(controls_.txtStop->caption, stop);
  ReadEngValue(controls_.txtUpper->caption, top);
  ReadEngValue(controls_.txtLower->caption, bottom);
  if (start < kDcBelow)
    start = kLimitDc;
  if (start >= kLimitUpward)
    start = kLimitUpward;
  if (stop <= 0)
    stop = kLowestStop;  // no band below 0 Hz: a negative stop would hide the limit
  if (stop >= kLimitUpward)
    stop = kLimitUpward;
  const std::size_t j = At(selected_);
  record.LimitStart[j][kGainLimitSet] = start, record.LimitStop[j][kGainLimitSet] = stop;
  record.LimitTop[j][kGainLimitSet] = top, record.LimitBottom[j][kGainLimitSet] = bottom;
  for (Control* box : Fields())
    box->caption.clear();
  selected_ = 0;
  SetFieldsEnabled(false);
  controls_.lblGuidance->foreColour.reset();
  BuildList();
}

void EditLimitsPage::SetFieldsEnabled(bool enabled) {
  for (Control* box : Fields())
    box->enabled = enabled;
  controls_.cmdAccept->enabled = enabled;
}

std::array<Control*, 4> EditLimitsPage::Fields() const {
  return {controls_.txtStart, controls_.txtStop, controls_.txtUpper, controls_.txtLower};
}

void EditLimitsPage::ReturnToPlot() {
  context_.record.LimitEntrySet = 0;
  plot_.RedrawPlot();
  context_.navigator.Close(PageId::Limits);
  context_.navigator.Close(PageId::EditLimits);
}

}  // namespace kestro
