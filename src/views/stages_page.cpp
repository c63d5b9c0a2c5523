// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/stages_page.h"

#include <array>

#include "analysis/build_warnings.h"
#include "analysis/part_sensitivity.h"
#include "analysis/response_engine.h"
#include "analysis/stage_figures.h"
#include "core/eng_value.h"
#include "printouts/print_job.h"
#include "printouts/print_summary.h"
#include "views/stage_rows.h"

namespace kestro {

namespace {

constexpr Rgb kButtonFace{221, 255, 255};
constexpr Rgb kWarningColour{192, 0, 0};
constexpr float kUsualAmplitude = 1.0f;  // V peak, when none is given

using C = StagesPageControls;
struct Placed {
  Control* C::*slot;
  ControlKind kind;
  const char* name;
  const char* caption;
  float left, top, width, height;
};
constexpr std::array<Placed, 19> kControls{{
    {&C::lblHeading, ControlKind::Label, "lblHeading", "Stages", 30, 400, 11700, 375},
    {&C::lblStageHeading, ControlKind::Label, "lblStageHeading", "", 300, 900, 11400, 260},
    {&C::lstStages, ControlKind::ListBox, "lstStages", "", 300, 1180, 11400, 1500},
    {&C::lblGbw, ControlKind::Label, "lblGbw", "Op-amp GBW (Hz), empty: ideal:", 300, 2850, 2900,
     260},
    {&C::txtGbw, ControlKind::TextBox, "txtGbw", "", 300, 3120, 1500, 300},
    {&C::lblSlewRate, ControlKind::Label, "lblSlewRate", "Slew rate (V/us):", 3300, 2850, 1900,
     260},
    {&C::txtSlewRate, ControlKind::TextBox, "txtSlewRate", "", 3300, 3120, 1500, 300},
    {&C::lblAmplitude, ControlKind::Label, "lblAmplitude", "Amplitude (V peak):", 5400, 2850, 1900,
     260},
    {&C::txtAmplitude, ControlKind::TextBox, "txtAmplitude", "", 5400, 3120, 1500, 300},
    {&C::cmdApply, ControlKind::Button, "cmdApply", "Apply", 7400, 3120, 900, 300},
    {&C::optIdeal, ControlKind::Option, "optIdeal", "Ideal follower", 8700, 2850, 3000, 300},
    {&C::optOpamp, ControlKind::Option, "optOpamp", "Analyse with this op-amp", 8700, 3180, 3000,
     300},
    {&C::lblFullPower, ControlKind::Label, "lblFullPower", "", 300, 3550, 11400, 260},
    {&C::lblSlewWarning, ControlKind::Label, "lblSlewWarning", "", 300, 3820, 11400, 260},
    {&C::lblWarnings, ControlKind::Label, "lblWarnings", "Build warnings:", 300, 4200, 11400, 260},
    {&C::lstWarnings, ControlKind::ListBox, "lstWarnings", "", 300, 4480, 11400, 1550},
    {&C::lblSensitivity, ControlKind::Label, "lblSensitivity",
     "Part sensitivities, largest first: the gain change for +1 % of the part", 300, 6250, 11400,
     260},
    {&C::lblSensitivityHeading, ControlKind::Label, "lblSensitivityHeading", "", 300, 6530, 11400,
     260},
    {&C::lstSensitivity, ControlKind::ListBox, "lstSensitivity", "", 300, 6810, 11400, 2000},
}};

// A stored op-amp value as the field shows it; 0 (not given) shows an empty field.
std::string FieldText(float value) {
  return value > 0 ? Trimmed(FormatEng(value)) : "";
}

}  // namespace

StagesPage::StagesPage(AppContext& context) : MainViewPage(context, PageId::Stages) {
  SetWindowCaption("KestroLab - Stages");
  AddControls();
  ShowOpampFields();
  Refresh();
}

void StagesPage::AddControls() {
  AddPlaced(kControls, controls_, kButtonFace);
  C& c = controls_;
  c.lblHeading->align = TextAlign::Center;
  c.lblHeading->bold = true;
  c.lblHeading->fontScale = 1.4f;
  for (Control* fixed : {c.lblStageHeading, c.lstStages, c.lblSensitivityHeading, c.lstSensitivity})
    fixed->fixedPitch = true;
  c.lblStageHeading->caption = StageHeading();
  c.lblSensitivityHeading->caption = SensitivityHeading();
  c.lblSlewWarning->foreColour = kWarningColour;
  c.cmdApply->onClick = [this] { OnApply(); };
  c.optIdeal->onClick = [this] { OnSwitch(false); };
  c.optOpamp->onClick = [this] { OnSwitch(true); };
}

void StagesPage::ShowOpampFields() {
  const DesignRecord& record = context().record;
  controls_.txtGbw->caption = FieldText(record.OpampGbw);
  controls_.txtSlewRate->caption = FieldText(record.OpampSlewRate);
  controls_.txtAmplitude->caption =
      FieldText(record.OpampAmplitude > 0 ? record.OpampAmplitude : kUsualAmplitude);
}

// A cleared GBW also switches the op-amp off, so the record never keeps a switch without one.
void StagesPage::OnApply() {
  ReadGbw();
  ReadSlewRate();
  ReadAmplitude();
  DesignRecord& record = context().record;
  if (!(record.OpampGbw > 0))
    record.OpampOn = 0;
  Analyze(record);
  Refresh();
}

// Switching on without a GBW would analyse the followers again, so the switch stays off.
void StagesPage::OnSwitch(bool on) {
  ReadGbw();
  DesignRecord& record = context().record;
  if (on && !(record.OpampGbw > 0)) {
    context().dialogs.Message(kNoGbwMessage);
    on = false;
  }
  record.OpampOn = on ? 1 : 0;
  OnApply();
}

// Empty is the ideal follower; anything that does not read as a positive number is cleared.
void StagesPage::ReadGbw() {
  Control& box = *controls_.txtGbw;
  float gbw = 0;
  if (!Trimmed(box.caption).empty()) {
    ReadEngValue(box.caption, gbw);
    if (!(gbw > 0)) {
      context().dialogs.Message(kGbwResetMessage);
      gbw = 0;
      box.caption.clear();
    }
  }
  context().record.OpampGbw = gbw;
}

void StagesPage::ReadSlewRate() {
  Control& box = *controls_.txtSlewRate;
  float slew = 0;
  if (!Trimmed(box.caption).empty()) {
    ReadEngValue(box.caption, slew);
    if (!(slew > 0)) {
      context().dialogs.Message(kSlewResetMessage);
      slew = 0;
      box.caption.clear();
    }
  }
  context().record.OpampSlewRate = slew;
}

// An empty field is the usual 1 V peak; a typed value of 0 or less is repaired to it.
void StagesPage::ReadAmplitude() {
  Control& box = *controls_.txtAmplitude;
  float amplitude = kUsualAmplitude;
  if (!Trimmed(box.caption).empty()) {
    ReadEngValue(box.caption, amplitude);
    if (!(amplitude > 0)) {
      context().dialogs.Message(kAmplitudeResetMessage);
      amplitude = kUsualAmplitude;
    }
  }
  box.caption = FieldText(amplitude);
  context().record.OpampAmplitude = amplitude;
}

void StagesPage::Refresh() {
  const DesignRecord& record = context().record;
  const bool on = record.OpampOn != 0 && record.OpampGbw > 0;
  controls_.optIdeal->checked = !on;
  controls_.optOpamp->checked = on;
  const auto figures = ComputeStageFigures(record);
  controls_.lstStages->rows = StageRows(figures);
  controls_.lstWarnings->rows = WarningRows(BuildWarnings(record, figures));
  controls_.lstSensitivity->rows = SensitivityRows(RankPartSensitivities(record));
  ShowSlewLimit();
}

void StagesPage::ShowSlewLimit() {
  const DesignRecord& record = context().record;
  const OpampFigures opamp = ComputeOpampFigures(record);
  Control& warning = *controls_.lblSlewWarning;
  warning.visible = opamp.fullPowerBelowBandwidth;
  if (!opamp.fullPowerBandwidthHz) {
    controls_.lblFullPower->caption = "Full-power bandwidth: no slew rate given";
    return;
  }
  controls_.lblFullPower->caption =
      "Full-power bandwidth SR / (2 pi amplitude) (Hz): " +
      Trimmed(FormatFreq(static_cast<float>(*opamp.fullPowerBandwidthHz)));
  warning.caption = "Warning: below the filter's bandwidth (" +
                    Trimmed(FormatFreq(record.Bandwidth)) + "): the output cannot swing " +
                    Trimmed(FormatEng(record.OpampAmplitude)) + " V peak without slewing";
}

// The stage table is printed with the rest of the design on the summary sheet.
void StagesPage::onPrintClicked() {
  const auto device = NewPrintJob(context().printers);
  SummaryPrintout(context().record, *device, context().dialogs, context().clock).Run();
}

}  // namespace kestro
