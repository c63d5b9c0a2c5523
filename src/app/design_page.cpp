// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_page.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "core/eng_value.h"
#include "files/session_file.h"
#include "usecase/design_command.h"
#include "usecase/design_fields.h"

namespace kestro {

namespace {

constexpr const char* kSessionFilter = "KESTRO files (*.KST)|*.KST";
constexpr int16_t kMinYIntervals = 1;
constexpr int16_t kMaxYIntervals = 12;

using Slot = Control* DesignPageControls::*;

struct FamilyOption {
  int16_t family;
  Slot slot;
  const char* name;
  const char* caption;
};
constexpr std::array<FamilyOption, 4> kFamilyOptions{{
    {kButterworth, &DesignPageControls::optButterworth, "optButterworth",
     "Butterworth (3 dB bandwidth)"},
    {kChebyshev, &DesignPageControls::optChebyshev, "optChebyshev", "Chebyshev (ripple bandwidth)"},
    {kBessel, &DesignPageControls::optBessel, "optBessel", "Bessel (one rad/sec bandwidth)"},
    {kManual, &DesignPageControls::optManual, "optManual", "Manually entered"},
}};

// The capacitor series of a family design, as StandardCaps holds it: values a decade.
struct CapSeriesOption {
  int16_t perDecade;
  Slot slot;
  const char* name;
  const char* caption;
};
constexpr std::array<CapSeriesOption, 4> kCapSeriesOptions{{
    {0, &DesignPageControls::optCapsComputed, "optCapsComputed", "Computed"},
    {6, &DesignPageControls::optCapsE6, "optCapsE6", "E6"},
    {12, &DesignPageControls::optCapsE12, "optCapsE12", "E12"},
    {24, &DesignPageControls::optCapsE24, "optCapsE24", "E24"},
}};

// The text boxes and the label the Design command reads, with the field each one shows.
constexpr std::array<std::pair<Slot, std::string DesignFields::*>, 9> kFieldControls{{
    {&DesignPageControls::txtWidth, &DesignFields::width},
    {&DesignPageControls::lblOrderInput, &DesignFields::order},
    {&DesignPageControls::txtApass, &DesignFields::apass},
    {&DesignPageControls::txtStart, &DesignFields::start},
    {&DesignPageControls::txtStop, &DesignFields::stop},
    {&DesignPageControls::txtInts, &DesignFields::intervals},
    {&DesignPageControls::txtdBTop, &DesignFields::dBTop},
    {&DesignPageControls::txtdBBottom, &DesignFields::dBBottom},
    {&DesignPageControls::txtDelay, &DesignFields::delay},
}};

// Layout in page units: two columns of panels, a row of buttons below.
constexpr float kCapSeriesTop = 5800, kCapSeriesHeight = 1100;
constexpr float kLeftLabel = 600, kLeftBox = 3100, kRightLabel = 6500, kRightBox = 9000;
constexpr float kLabelWidth = 2400, kBoxWidth = 2200, kRowHeight = 380;

}  // namespace

DesignPage::DesignPage(AppContext& context) : context_(context) {
  SetWindowCaption("KestroLab - Design");
  AddPanels();
  AddFamilyOptions();
  AddCapSeriesOptions();
  AddDesignFields();
  AddSweepFields();
  AddGraphFields();
  AddButtons();
  ShowRecord();
}

// --- Building the page ---

void DesignPage::AddPanels() {
  DesignPageControls& c = controls_;
  c.fraFilterDesign =
      &Add(ControlKind::Frame, "fraFilterDesign", "Filter design:", 300, 300, 5500, 5300);
  c.fraSweep = &Add(ControlKind::Frame, "fraSweep", "Sweep:", 6200, 300, 5500, 2400);
  c.fraGraph = &Add(ControlKind::Frame, "fraGraph", "Graph:", 6200, 3000, 5500, 3700);
  c.fraFamily = &Add(ControlKind::Frame, "fraFamily", "Family", 600, 800, 4900, 2150);
}

void DesignPage::AddFamilyOptions() {
  float top = 1200;
  for (const FamilyOption& option : kFamilyOptions) {
    Control& control = Add(ControlKind::Option, option.name, option.caption, 900, top, 4400, 380);
    controls_.*option.slot = &control;
    control.frame = controls_.fraFamily->name;
    const int16_t family = option.family;
    control.onClick = [this, family] { OnFamilyOption(family); };
    top += 420;
  }
}

// Below the filter design panel: the capacitor series, chosen straight into the record.
void DesignPage::AddCapSeriesOptions() {
  controls_.fraCapSeries = &Add(ControlKind::Frame, "fraCapSeries", "Standard capacitors", 300,
                                kCapSeriesTop, 5500, kCapSeriesHeight);
  float left = 600;
  for (const CapSeriesOption& option : kCapSeriesOptions) {
    const float width = option.perDecade == 0 ? 1600 : 1000;
    Control& control = Add(ControlKind::Option, option.name, option.caption, left,
                           kCapSeriesTop + 450, width, 380);
    controls_.*option.slot = &control;
    control.frame = controls_.fraCapSeries->name;
    const int16_t perDecade = option.perDecade;
    control.onClick = [this, perDecade] { context_.record.StandardCaps = perDecade; };
    left += width + 100;
  }
}

Control& DesignPage::AddField(Control*& label, const char* labelName, const char* caption,
                              Control*& box, const char* boxName, float left, float top) {
  const float boxLeft = (left == kLeftLabel) ? kLeftBox : kRightBox;
  label = &Add(ControlKind::Label, labelName, caption, left, top, kLabelWidth, kRowHeight);
  box = &Add(ControlKind::TextBox, boxName, "", boxLeft, top, kBoxWidth, kRowHeight);
  return *box;
}

void DesignPage::AddDesignFields() {
  DesignPageControls& c = controls_;
  AddField(c.lblWidth, "lblWidth", "Bandwidth, Hz:", c.txtWidth, "txtWidth", kLeftLabel, 3250);
  AddField(c.lblGain, "lblGain", "Gain, dB:", c.txtGain, "txtGain", kLeftLabel, 3800);
  c.lblOrder =
      &Add(ControlKind::Label, "lblOrder", "Order:", kLeftLabel, 4350, kLabelWidth, kRowHeight);
  c.lblOrderInput = &Add(ControlKind::Label, "lblOrderInput", "", kLeftBox, 4350, 1000, kRowHeight);
  c.lblOrderInput->onClick = [this] { OnOrderLabelClicked(); };
  c.UpDown1 = &Add(ControlKind::Spinner, "UpDown1", "", kLeftBox + 1050, 4350, 380, kRowHeight);
  c.UpDown1->minimum = kMinOrder;
  c.UpDown1->maximum = kMaxOrder;
  c.UpDown1->buddy = c.lblOrderInput->name;
  AddField(c.lblApass, "lblApass", "Passband ripple (dB):", c.txtApass, "txtApass", kLeftLabel,
           4900);
}

void DesignPage::AddSweepFields() {
  DesignPageControls& c = controls_;
  AddField(c.lblStart, "lblStart", "Start, Hz:", c.txtStart, "txtStart", kRightLabel, 800)
      .onChange = [this] { ReadEngValue(controls_.txtStart->caption, context_.record.Fstart); };
  AddField(c.lblStop, "lblStop", "Stop, Hz:", c.txtStop, "txtStop", kRightLabel, 1350).onChange =
      [this] { ReadEngValue(controls_.txtStop->caption, context_.record.Fstop); };
  AddField(c.lblInts, "lblInts", "Frequencies:", c.txtInts, "txtInts", kRightLabel, 1900).onChange =
      [this] { OnIntervalsTyped(); };
}

void DesignPage::AddGraphFields() {
  DesignPageControls& c = controls_;
  DesignRecord& record = context_.record;
  AddField(c.lbldbTop, "lbldbTop", "Gain top, dB:", c.txtdBTop, "txtdBTop", kRightLabel, 3500)
      .onChange = [this, &record] {
    ReadEngValue(controls_.txtdBTop->caption, record.dBtop);
    ShowPerInterval();
  };
  AddField(c.lbldBBottom, "lbldBBottom", "Gain bottom, dB:", c.txtdBBottom, "txtdBBottom",
           kRightLabel, 4050)
      .onChange = [this, &record] {
    ReadEngValue(controls_.txtdBBottom->caption, record.dBbottom);
    ShowPerInterval();
  };
  AddYIntervals();
  AddField(c.lblDelay, "lblDelay", "Delay top, secs:", c.txtDelay, "txtDelay", kRightLabel, 5650)
      .onChange = [this, &record] {
    ReadEngValue(controls_.txtDelay->caption, record.DelayTop);
    ShowPerIntervalDelay();
  };
  c.lblPerYintervalDelay =
      &Add(ControlKind::Label, "lblPerYintervalDelay", "", kRightBox, 6150, kBoxWidth, kRowHeight);
}

void DesignPage::AddYIntervals() {
  DesignPageControls& c = controls_;
  c.lblNrYintervals = &Add(ControlKind::Label, "lblNrYintervals",
                           "Nr of Y intervals: ", kRightLabel, 4600, kLabelWidth, kRowHeight);
  c.lblNrY = &Add(ControlKind::Label, "lblNrY", "", kRightBox, 4600, 1000, kRowHeight);
  c.UpDown3 = &Add(ControlKind::Spinner, "UpDown3", "", kRightBox + 1050, 4600, 380, kRowHeight);
  c.UpDown3->minimum = kMinYIntervals;
  c.UpDown3->maximum = kMaxYIntervals;
  c.UpDown3->buddy = c.lblNrY->name;
  c.UpDown3->onChange = [this] { OnNrYSpun(); };
  c.lblPerYinterval =
      &Add(ControlKind::Label, "lblPerYinterval", "", kRightBox, 5100, kBoxWidth, kRowHeight);
}

void DesignPage::AddButtons() {
  struct Button {
    Slot slot;
    const char* name;
    const char* caption;
    std::function<void()> action;
  };
  const std::array<Button, 11> buttons{{
      {&DesignPageControls::cmdDesign, "cmdDesign", "Design", [this] { RunDesignCommand(); }},
      {&DesignPageControls::cmdPlot, "cmdPlot", "Plot",
       [this] { DesignThenOpen(PageId::Plot, OpenMode::Switch); }},
      {&DesignPageControls::cmdSchematic, "cmdSchematic", "Schematic",
       [this] { DesignThenOpen(PageId::Schematic, OpenMode::Switch); }},
      {&DesignPageControls::cmdTabulate, "cmdTabulate", "Tabulate",
       [this] { DesignThenOpen(PageId::Tabulated, OpenMode::Switch); }},
      {&DesignPageControls::cmdTransient, "cmdTransient", "Transient",
       [this] { context_.navigator.Open(PageId::Transient, OpenMode::Over); }},
      {&DesignPageControls::cmdWrite, "cmdWrite", "Write",
       [this] { DesignThenOpen(PageId::WriteFiles, OpenMode::Modal); }},
      {&DesignPageControls::cmdPrint, "cmdPrint", "Print", [this] { RunDesignCommand(); }},
      {&DesignPageControls::cmdSave, "cmdSave", "Save", [this] { OnSave(); }},
      {&DesignPageControls::cmdGet, "cmdGet", "Get", [this] { OnGet(); }},
      {&DesignPageControls::cmdAbout, "cmdAbout", "About",
       [this] { context_.navigator.Open(PageId::About, OpenMode::Over); }},
      {&DesignPageControls::cmdQuit, "cmdQuit", "Quit",
       [this] { context_.navigator.Open(PageId::Exit, OpenMode::Modal); }},
  }};
  float left = 300;
  for (const Button& button : buttons) {
    Control& control = Add(ControlKind::Button, button.name, button.caption, left, 7300, 950, 550);
    control.onClick = button.action;
    controls_.*button.slot = &control;
    left += 1045;
  }
}

// --- Showing the record ---

// On load and after Get. Selecting the stored family shows it without the option's click
// effects, so a manual design keeps its parts through the next Design command.
void DesignPage::ShowRecord() {
  DesignRecord& record = context_.record;
  if (record.Family < kButterworth || record.Family > kManual)
    record.Family = kButterworth;
  record.PartsModified = (record.Family == kManual) ? 1 : 0;
  if (record.Bandwidth <= 0)
    record.Bandwidth = 1000;
  record.NrYintervals = std::clamp(record.NrYintervals, kMinYIntervals, kMaxYIntervals);
  for (const FamilyOption& option : kFamilyOptions) {
    (controls_.*option.slot)->checked = (option.family == record.Family);
  }
  for (const CapSeriesOption& option : kCapSeriesOptions)
    (controls_.*option.slot)->checked = (option.perDecade == record.StandardCaps);
  ShowFamilyControls(record.Family);
  ShowFields(DesignFields::FromRecord(record));
  controls_.txtGain->caption = "0";
  controls_.UpDown1->value = std::clamp<int>(record.Order, kMinOrder, kMaxOrder);
  controls_.lblNrY->caption = std::to_string(record.NrYintervals);
  controls_.UpDown3->value = record.NrYintervals;
  ShowPerInterval();
  ShowPerIntervalDelay();
}

void DesignPage::ShowFamilyControls(int16_t family) {
  const DesignPageControls& c = controls_;
  const bool familyDesign = (family != kManual);
  for (Control* control :
       {c.lblWidth, c.txtWidth, c.lblGain, c.txtGain, c.lblOrder, c.lblOrderInput, c.UpDown1}) {
    control->enabled = familyDesign;
  }
  for (const CapSeriesOption& option : kCapSeriesOptions)
    (c.*option.slot)->enabled = familyDesign;
  for (Control* control : {c.lblApass, c.txtApass})
    control->enabled = (family == kChebyshev);
}

void DesignPage::ShowPerInterval() {
  DesignRecord& record = context_.record;
  record.dBperDiv =
      std::fabs(record.dBtop - record.dBbottom) / static_cast<float>(record.NrYintervals);
  controls_.lblPerYinterval->caption =
      "per interval: " + Trimmed(FormatNum(record.dBperDiv)) + "dB";
}

void DesignPage::ShowPerIntervalDelay() {
  const DesignRecord& record = context_.record;
  const float perDivision = record.DelayTop / static_cast<float>(record.NrYintervals);
  controls_.lblPerYintervalDelay->caption = "per interval: " + FormatEng(perDivision) + "s";
}

// --- Option buttons ---

void DesignPage::OnFamilyOption(int16_t family) {
  DesignRecord& record = context_.record;
  record.Family = family;
  record.PartsModified = (family == kManual) ? 1 : 0;
  if (family == kButterworth || family == kBessel) {
    record.Apass = 0;
    controls_.txtApass->caption = "0";
  } else if (family == kChebyshev && record.Apass <= 0.001f) {
    record.Apass = 0.1f;
    controls_.txtApass->caption = ".1";
  }
  ShowFamilyControls(family);
}

// --- Per-keystroke and spinner handlers ---

// The typed count is judged as it is read, prefix letter included ("3k" is 3000, so it too becomes
// "2048"): the record never holds more intervals than its response arrays take, even before the
// next Design command bounds them.
void DesignPage::OnIntervalsTyped() {
  Control& box = *controls_.txtInts;
  int16_t typed = 0;
  ReadEngValue(box.caption, typed);
  if (typed > kMaxNints)
    box.caption = "2048";
  ReadEngValue(box.caption, context_.record.Nints);
}

void DesignPage::OnNrYSpun() {
  Control& shown = *controls_.lblNrY;
  int16_t count = 0;
  ReadEngValue(shown.caption, count);
  if (count < kMinYIntervals || count > kMaxYIntervals) {
    count = std::clamp(count, kMinYIntervals, kMaxYIntervals);
    shown.caption = std::to_string(count);
  }
  context_.record.NrYintervals = count;
  ShowPerInterval();
  ShowPerIntervalDelay();
}

void DesignPage::OnOrderLabelClicked() {
  DesignRecord& record = context_.record;
  if (record.Order > kMaxOrder)
    record.Order = kMaxOrder;
  Control& shown = *controls_.lblOrderInput;
  int16_t order = 0;
  ReadEngValue(shown.caption, order);
  if (order > kMaxOrder)
    shown.caption = std::to_string(kMaxOrder);
}

// --- The Design command ---

DesignFields DesignPage::GatherFields() const {
  DesignFields fields;
  for (const auto& [slot, text] : kFieldControls)
    fields.*text = (controls_.*slot)->caption;
  for (const FamilyOption& option : kFamilyOptions) {
    if ((controls_.*option.slot)->checked)
      fields.family = option.family;
  }
  return fields;
}

void DesignPage::ShowFields(const DesignFields& fields) {
  for (const auto& [slot, text] : kFieldControls)
    (controls_.*slot)->caption = fields.*text;
}

bool DesignPage::RunDesignCommand() {
  DesignFields fields = GatherFields();
  const bool proceeds = ReadDesignFields(fields, context_.record, context_.dialogs);
  ShowFields(fields);
  if (!proceeds)
    return false;
  FinishDesignCommand(context_.record, context_.dialogs);
  return true;
}

// --- Buttons ---

// The view opens only on a design the command completed; a stopped command leaves the user on
// this page with the message that says why.
void DesignPage::DesignThenOpen(PageId page, OpenMode mode) {
  if (RunDesignCommand())
    context_.navigator.Open(page, mode);
}

void DesignPage::OnSave() {
  if (!RunDesignCommand())
    return;
  FileDialogRequest request;
  request.title = "Save KESTRO file";
  request.filter = kSessionFilter;
  request.overwritePrompt = true;
  DesignRecord& record = context_.record;
  record.SessionFile = context_.dialogs.SaveFile(request);
  if (record.SessionFile.empty())
    return;
  PassedOrShown(WriteSessionFile(record, record.SessionFile, context_.clock.LocalDateTime()),
                context_.dialogs);
}

// A cancelled dialog reads nothing and keeps what the fields show.
void DesignPage::OnGet() {
  FileDialogRequest request;
  request.title = "Read KESTRO file";
  request.filter = kSessionFilter;
  DesignRecord& record = context_.record;
  record.SessionFile = context_.dialogs.OpenFile(request);
  if (record.SessionFile.empty())
    return;
  SessionNotices notices;  // values held at the reader's bound, each said as it is read
  if (PassedOrShown(ReadSessionFile(record, record.SessionFile, &notices), context_.dialogs)) {
    for (const std::string& notice : notices)
      context_.dialogs.Message(notice);
  }
  ShowRecord();
}

}  // namespace kestro
