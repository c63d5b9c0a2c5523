// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_summary.h"

#include <algorithm>
#include <array>
#include <memory>

#include "core/eng_value.h"
#include "core/family_name.h"
#include "printouts/print_job.h"
#include "printouts/print_text.h"
#include "printouts/stage_texts.h"
#include "synthesis/pole_list.h"

namespace kestro {

namespace {
constexpr float kLine = 200;     // twips between lines
constexpr float kSection = 400;  // twips above a section heading
constexpr float kTop = 1000;
constexpr float kAreaHeight = 15200;  // the drawing area of the sheet
constexpr float kHeadingX = 1000, kItemX = 1200;
constexpr float kPart1X = 2300, kPart2X = 3800, kPart3X = 5700;
constexpr float kCapFloor = 1E-13f;
constexpr const char* kFont = "Arial";

// The family as the sheet names it: a manual design (or an unknown code) is "Modified".
const char* SheetFamily(int16_t family) {
  const char* name = FamilyName(family);
  return name != nullptr ? name : "Modified";
}
}  // namespace

bool SummaryPrintout::Run() {
  if (!RunPrintJob(device_, [this](PrintDevice& sheet) { DrawSheets(sheet); }))
    return true;
  dialogs_.Beep();
  dialogs_.Message("The summary text file was not sent to the printer.");
  return false;
}

void SummaryPrintout::DrawSheets(PrintDevice& device) {
  sheet_ = &device;
  device.SetOrientation(PrintOrientation::Portrait);
  device.SetDrawingArea(11500, kAreaHeight);
  device.SetFont(kFont, 14, false);
  y_ = kTop;
  At(kHeadingX, "KestroLab program summary");
  device.SetFont(kFont, 10, false);
  AnalysisSection();
  DesignSection();
  PartSections();
  const std::vector<StageFigures> figures = ComputeStageFigures(record_);
  StageSection(figures);
  WarningSection(figures);
  MarkerSection();
  LimitSection();
  Advance(kSection);
  At(kHeadingX, "File path/name: " + record_.SessionFile);
  Advance(kLine);
  device.SetFont(kFont, 8, false);
  At(kHeadingX, "Printed by KestroLab - " + clock_.LocalDateTime());
}

// The drawing area, or the sheet's printable height where that is less.
void SummaryPrintout::Advance(float dy) {
  y_ += dy;
  if (y_ + kLine <= std::min(kAreaHeight, std::max(sheet_->AreaHeight(), 2 * kTop)))
    return;
  sheet_->NewPage();
  y_ = kTop;
}

void SummaryPrintout::At(float x, const std::string& text) {
  print_text::PrintAt(*sheet_, x, y_, text);
}

void SummaryPrintout::AnalysisSection() {
  y_ = 1500;
  At(kHeadingX, "Analysis:");
  const DesignRecord& r = record_;
  for (const std::string& line :
       {"Starting frequency: " + FormatFreq(r.Fstart), "Ending frequency: " + FormatFreq(r.Fstop),
        "Number of intervals: " + FormatNum(r.Nints), "Plot dB top: " + FormatNum(r.dBtop),
        "Plot dB bottom: " + FormatNum(r.dBbottom), "Plot delay top: " + FormatEng(r.DelayTop),
        "Number of Y intervals: " + std::to_string(r.NrYintervals)}) {
    Advance(kLine);
    At(kItemX, line);
  }
}

void SummaryPrintout::DesignSection() {
  y_ = 3300;
  At(kHeadingX, "Design:");
  const DesignRecord& r = record_;
  for (const std::string& line :
       {std::string("Family: ") + SheetFamily(r.Family), "Bandwidth: " + FormatFreq(r.Bandwidth),
        "Passband ripple: " + FormatNum(r.Apass), "Order: " + std::to_string(r.Order)}) {
    Advance(kLine);
    At(kItemX, line);
  }
  y_ = 4500;
  At(kHeadingX, "Poles: ");
  PoleLines();
}

void SummaryPrintout::PoleLines() {
  const int16_t family = record_.Family;
  if (family != kButterworth && family != kChebyshev && family != kBessel) {
    Advance(kLine);
    At(kItemX, "( Not applicable )");
    return;
  }
  // The pole page's listing, on a copy: it lowers a Bessel order above 10, and printing the
  // summary changes nothing but MarkersOn.
  const auto listed = std::make_unique<DesignRecord>(record_);
  PoleList poles;
  ComputePoles(*listed, poles);
  const int count = std::clamp<int>(listed->Order, 0, kMaxPoleSlot);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(count); ++k) {
    Advance(kLine);
    At(kItemX, "X: " + FormatNum(poles.PoleX[k]));
    At(2600, "Y: " + FormatNum(poles.PoleY[k]));
  }
}

void SummaryPrintout::PartSections() {
  const int stages = StageCount(record_);
  Advance(kSection);
  At(kHeadingX, "Capacitor values: ");
  for (int s = 1; s <= stages; ++s) {
    const auto& c = record_.C[static_cast<std::size_t>(s)];
    Advance(kLine);
    At(kItemX, "Stage " + std::to_string(s) + ":");
    At(kPart1X, c[1] > kCapFloor ? "C1: " + FormatCap(c[1]) : std::string("C1: 0"));
    At(kPart2X, "C2: " + FormatCap(c[2]));
    At(kPart3X, "C3: " + FormatCap(c[3]));
  }
  Advance(kSection);
  At(kHeadingX, "Resistor values: ");
  for (int s = 1; s <= stages; ++s) {
    const auto& r = record_.R[static_cast<std::size_t>(s)];
    Advance(kLine);
    At(kItemX, "Stage " + std::to_string(s) + ":");
    At(kPart1X, "R1: " + FormatNum(r[1]));
    At(kPart2X, "R2: " + FormatNum(r[2]));
    At(kPart3X, "R3: " + FormatNum(r[3]));
  }
}

// One line per stage under the column headings, the fields at fixed positions.
void SummaryPrintout::StageSection(const std::vector<StageFigures>& figures) {
  static constexpr std::array<float, 7> kColumnX{kItemX, 1900, 3000, 4300, 5600, 6700, 8200};
  const auto row = [this](const std::vector<std::string>& fields) {
    Advance(kLine);
    for (std::size_t i = 0; i < kColumnX.size() && i < fields.size(); ++i) {
      if (!fields[i].empty())
        At(kColumnX[i], fields[i]);
    }
  };
  Advance(kSection);
  At(kHeadingX, "Stages: ");
  row(StageHeadingFields());
  for (const StageFigures& stage : figures)
    row(StageFields(stage));
}

void SummaryPrintout::WarningSection(const std::vector<StageFigures>& figures) {
  Advance(kSection);
  At(kHeadingX, "Build warnings: ");
  for (const std::string& text : WarningTexts(BuildWarnings(record_, figures))) {
    Advance(kLine);
    At(kItemX, text);
  }
}

void SummaryPrintout::MarkerSection() {
  Advance(kSection);
  At(kHeadingX, "Markers: ");
  const auto& freq = record_.MarkerFreq;
  const bool any =
      std::any_of(freq.begin() + 1, freq.begin() + kUsedMarkers + 1, [](float f) { return f > 0; });
  record_.MarkersOn = any ? 1 : 0;
  if (!any) {
    Advance(kLine);
    At(kItemX, "( None )");
    return;
  }
  for (int i = 1; i <= kUsedMarkers; ++i) {
    Advance(kLine);
    At(1250, "#" + std::to_string(i));
    if (freq[static_cast<std::size_t>(i)] > 0)
      At(2000, FormatFreq(freq[static_cast<std::size_t>(i)]));
  }
}

void SummaryPrintout::LimitSection() {
  Advance(kSection);
  At(kHeadingX, "Limits: ");
  Advance(kLine);
  const int count = std::min<int>(record_.NrLimits[1], kMaxLimit);
  if (count <= 0) {
    At(kItemX, "( None )");
    return;
  }
  constexpr float kStartX = 2000, kStopX = 3200, kTopX = 5000, kBottomX = 6800;
  At(kHeadingX, "Shape: ");
  At(kStartX, "Start: ");
  At(kStopX, "Stop: ");
  At(kTopX, "Top: ");
  At(kBottomX, "Bottom: ");
  for (std::size_t j = 1; j <= static_cast<std::size_t>(count); ++j) {
    Advance(kLine);
    At(kItemX, print_text::SignedDecimal(record_.LimitShape[j][1]));
    At(kStartX, LimitStartText(record_.LimitStart[j][1]));
    At(kStopX, LimitStopText(record_.LimitStop[j][1]));
    At(kTopX, LimitTopText(record_.LimitTop[j][1]));
    At(kBottomX, LimitBottomText(record_.LimitBottom[j][1]));
  }
}

// --- Texts of the limit lines: 0.01 Hz stands for DC, 1E10 Hz for "upward" ---

std::string SummaryPrintout::LimitStartText(float start) {
  return start > 0.01f ? print_text::SignedDecimal(start) : "DC";
}

std::string SummaryPrintout::LimitStopText(float stop) {
  return stop >= 1E10f ? "upward" : "up to " + print_text::SignedDecimal(stop);
}

std::string SummaryPrintout::LimitTopText(float top) {
  return top < 100 ? print_text::SignedDecimal(top) + " max" : "more than +50";
}

std::string SummaryPrintout::LimitBottomText(float bottom) {
  return bottom > -100 ? "down to " + print_text::SignedDecimal(bottom) : "less than -100";
}

}  // namespace kestro
