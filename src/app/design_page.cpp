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

struct FamilyOption {
  int16_t family;
  const char* name;
  const char* caption;
};
constexpr std::array<FamilyOption, 4> kFamilyOptions{{
    {kButterworth, "optButterworth", "Butterworth (3 dB bandwidth)"},
    {kChebyshev, "optChebyshev", "Chebyshev (ripple bandwidth)"},
    {kBessel, "optBessel", "Bessel (one rad/sec bandwidth)"},
    {kManual, "optManual", "Manually entered"},
}};

// The text boxes and the label the Design command reads, with the field each one shows.
constexpr std::array<std::pair<const char*, std::string DesignFields::*>, 9> kFieldControls{{
    {"txtWidth", &DesignFields::width},
    {"lblOrderInput", &DesignFields::order},
    {"txtApass", &DesignFields::apass},
    {"txtStart", &DesignFields::start},
    {"txtStop", &DesignFields::stop},
    {"txtInts", &DesignFields::intervals},
    {"txtdBTop", &DesignFields::dBTop},
    {"txtdBBottom", &DesignFields::dBBottom},
    {"txtDelay", &DesignFields::delay},
}};

// Layout in page units: two columns of panels, a row of buttons below.
constexpr float kLeftLabel = 600, kLeftBox = 3100, kRightLabel = 6500, kRightBox = 9000;
constexpr float kLabelWidth = 2400, kBoxWidth = 2200, kRowHeight = 380;

}  // namespace

DesignPage::DesignPage(AppContext& context) : context_(context) {
  SetWindowCaption("KestroLab - Design");
  AddPanels();
  AddFamilyOptions();
  AddDesignFields();
  AddSweepFields();
  AddGraphFields();
  AddButtons();
  ShowRecord();
}

// --- Building the page ---

void DesignPage::AddPanels() {
  Add(ControlKind::Frame, "fraFilterDesign", "Filter design:", 300, 300, 5500, 5300);
  Add(ControlKind::Frame, "fraSweep", "Sweep:", 6200, 300, 5500, 2400);
  Add(ControlKind::Frame, "fraGraph", "Graph:", 6200, 3000, 5500, 3700);
  Add(ControlKind::Frame, "fraFamily", "Family", 600, 800, 4900, 2150);
}

void DesignPage::AddFamilyOptions() {
  float top = 1200;
  for (const FamilyOption& option : kFamilyOptions) {
    Control& control = Add(ControlKind::Option, option.name, option.caption, 900, top, 4400, 380);
    control.frame = "fraFamily";
    const int16_t family = option.family;
    control.onClick = [this, family] { OnFamilyOption(family); };
    top += 420;
  }
}

Control& DesignPage::AddField(const std::string& labelName, const std::string& caption,
                              const std::string& boxName, float left, float top) {
  const float boxLeft = (left == kLeftLabel) ? kLeftBox : kRightBox;
  Add(ControlKind::Label, labelName, caption, left, top, kLabelWidth, kRowHeight);
  return Add(ControlKind::TextBox, boxName, "", boxLeft, top, kBoxWidth, kRowHeight);
}

void DesignPage::AddDesignFields() {
  AddField("lblWidth", "Bandwidth, Hz:", "txtWidth", kLeftLabel, 3250);
  AddField("lblGain", "Gain, dB:", "txtGain", kLeftLabel, 3800);
  Add(ControlKind::Label, "lblOrder", "Order:", kLeftLabel, 4350, kLabelWidth, kRowHeight);
  Add(ControlKind::Label, "lblOrderInput", "", kLeftBox, 4350, 1000, kRowHeight).onClick = [this] {
    OnOrderLabelClicked();
  };
  Control& order = Add(ControlKind::Spinner, "UpDown1", "", kLeftBox + 1050, 4350, 380, kRowHeight);
  order.minimum = kMinOrder;
  order.maximum = kMaxOrder;
  order.buddy = "lblOrderInput";
  AddField("lblApass", "Passband ripple (dB):", "txtApass", kLeftLabel, 4900);
}

void DesignPage::AddSweepFields() {
  AddField("lblStart", "Start, Hz:", "txtStart", kRightLabel, 800).onChange = [this] {
    ReadEngValue((*this)["txtStart"].caption, context_.record.Fstart);
  };
  AddField("lblStop", "Stop, Hz:", "txtStop", kRightLabel, 1350).onChange = [this] {
    ReadEngValue((*this)["txtStop"].caption, context_.record.Fstop);
  };
  AddField("lblInts", "Frequencies:", "txtInts", kRightLabel, 1900).onChange = [this] {
    OnIntervalsTyped();
  };
}

void DesignPage::AddGraphFields() {
  DesignRecord& record = context_.record;
  AddField("lbldbTop", "Gain top, dB:", "txtdBTop", kRightLabel, 3500).onChange = [this, &record] {
    ReadEngValue((*this)["txtdBTop"].caption, record.dBtop);
    ShowPerInterval();
  };
  AddField("lbldBBottom", "Gain bottom, dB:", "txtdBBottom", kRightLabel, 4050).onChange =
      [this, &record] {
        ReadEngValue((*this)["txtdBBottom"].caption, record.dBbottom);
        ShowPerInterval();
      };
  Add(ControlKind::Label, "lblNrYintervals", "Nr of Y intervals: ", kRightLabel, 4600, kLabelWidth,
      kRowHeight);
  Add(ControlKind::Label, "lblNrY", "", kRightBox, 4600, 1000, kRowHeight);
  Control& count =
      Add(ControlKind::Spinner, "UpDown3", "", kRightBox + 1050, 4600, 380, kRowHeight);
  count.minimum = kMinYIntervals;
  count.maximum = kMaxYIntervals;
  count.buddy = "lblNrY";
  count.onChange = [this] { OnNrYSpun(); };
  Add(ControlKind::Label, "lblPerYinterval", "", kRightBox, 5100, kBoxWidth, kRowHeight);
  AddField("lblDelay", "Delay top, secs:", "txtDelay", kRightLabel, 5650).onChange = [this,
                                                                                      &record] {
    ReadEngValue((*this)["txtDelay"].caption, record.DelayTop);
    ShowPerIntervalDelay();
  };
  Add(ControlKind::Label, "lblPerYintervalDelay", "", kRightBox, 6150, kBoxWidth, kRowHeight);
}

void DesignPage::AddButtons() {
  struct Button {
    const char* name;
    const char* caption;
    std::function<void()> action;
  };
  const std::array<Button, 11> buttons{{
      {"cmdDesign", "Design", [this] { RunDesignCommand(); }},
      {"cmdPlot", "Plot", [this] { DesignThenOpen(PageId::Plot, OpenMode::Switch); }},
      {"cmdSchematic", "Schematic",
       [this] { DesignThenOpen(PageId::Schematic, OpenMode::Switch); }},
      {"cmdTabulate", "Tabulate", [this] { DesignThenOpen(PageId::Tabulated, OpenMode::Switch); }},
      {"cmdTransient", "Transient",
       [this] { context_.navigator.Open(PageId::Transient, OpenMode::Over); }},
      {"cmdWrite", "Write", [this] { DesignThenOpen(PageId::WriteFiles, OpenMode::Modal); }},
      {"cmdPrint", "Print", [this] { RunDesignCommand(); }},
      {"cmdSave", "Save", [this] { OnSave(); }},
      {"cmdGet", "Get", [this] { OnGet(); }},
      {"cmdAbout", "About", [this] { context_.navigator.Open(PageId::About, OpenMode::Over); }},
      {"cmdQuit", "Quit", [this] { context_.navigator.Open(PageId::Exit, OpenMode::Modal); }},
  }};
  float left = 300;
  for (const Button& button : buttons) {
    Add(ControlKind::Button, button.name, button.caption, left, 7300, 950, 550).onClick =
        button.action;
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
    (*this)[option.name].checked = (option.family == record.Family);
  }
  ShowFamilyControls(record.Family);
  ShowFields(DesignFields::FromRecord(record));
  (*this)["txtGain"].caption = "0";
  (*this)["UpDown1"].value = std::clamp<int>(record.Order, kMinOrder, kMaxOrder);
  (*this)["lblNrY"].caption = std::to_string(record.NrYintervals);
  (*this)["UpDown3"].value = record.NrYintervals;
  ShowPerInterval();
  ShowPerIntervalDelay();
}

void DesignPage::ShowFamilyControls(int16_t family) {
  const bool familyDesign = (family != kManual);
  for (const char* name :
       {"lblWidth", "txtWidth", "lblGain", "txtGain", "lblOrder", "lblOrderInput", "UpDown1"}) {
    (*this)[name].enabled = familyDesign;
  }
  for (const char* name : {"lblApass", "txtApass"})
    (*this)[name].enabled = (family == kChebyshev);
}

void DesignPage::ShowPerInterval() {
  DesignRecord& record = context_.record;
  record.dBperDiv =
      std::fabs(record.dBtop - record.dBbottom) / static_cast<float>(record.NrYintervals);
  (*this)["lblPerYinterval"].caption =
      "per interval: " + Trimmed(FormatNum(record.dBperDiv)) + "dB";
}

void DesignPage::ShowPerIntervalDelay() {
  const DesignRecord& record = context_.record;
  const float perDivision = record.DelayTop / static_cast<float>(record.NrYintervals);
  (*this)["lblPerYintervalDelay"].caption = "per interval: " + FormatEng(perDivision) + "s";
}

// --- Option buttons ---

void DesignPage::OnFamilyOption(int16_t family) {
  DesignRecord& record = context_.record;
  record.Family = family;
  record.PartsModified = (family == kManual) ? 1 : 0;
  if (family == kButterworth || family == kBessel) {
    record.Apass = 0;
    (*this)["txtApass"].caption = "0";
  } else if (family == kChebyshev && record.Apass <= 0.001f) {
    record.Apass = 0.1f;
    (*this)["txtApass"].caption = ".1";
  }
  ShowFamilyControls(family);
}

// --- Per-keystroke and spinner handlers ---

// The typed count is judged as it is read, prefix letter included ("3k" is 3000, so it too becomes
// "2048"): the record never holds more intervals than its response arrays take, even before the
// next Design command bounds them.
void DesignPage::OnIntervalsTyped() {
  Control& box = (*this)["txtInts"];
  int16_t typed = 0;
  ReadEngValue(box.caption, typed);
  if (typed > kMaxNints)
    box.caption = "2048";
  ReadEngValue(box.caption, context_.record.Nints);
}

void DesignPage::OnNrYSpun() {
  Control& shown = (*this)["lblNrY"];
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
  Control& shown = (*this)["lblOrderInput"];
  int16_t order = 0;
  ReadEngValue(shown.caption, order);
  if (order > kMaxOrder)
    shown.caption = std::to_string(kMaxOrder);
}

// --- The Design command ---

DesignFields DesignPage::GatherFields() const {
  DesignFields fields;
  for (const auto& [name, text] : kFieldControls)
    fields.*text = (*this)[name].caption;
  for (const FamilyOption& option : kFamilyOptions) {
    if ((*this)[option.name].checked)
      fields.family = option.family;
  }
  return fields;
}

void DesignPage::ShowFields(const DesignFields& fields) {
  for (const auto& [name, text] : kFieldControls)
    (*this)[name].caption = fields.*text;
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
  PassedOrShown(ReadSessionFile(record, record.SessionFile), context_.dialogs);
  ShowRecord();
}

}  // namespace kestro
