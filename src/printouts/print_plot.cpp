// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_plot.h"

#include <algorithm>
#include <cmath>

#include "analysis/response_engine.h"
#include "core/eng_value.h"
#include "core/program_texts.h"
#include "printouts/grid_label_filter.h"
#include "printouts/print_job.h"
#include "printouts/print_text.h"

namespace kestro {

namespace {
constexpr float kLeft = 1000, kRight = 10000, kTop = 1000, kBottom = 7000;
constexpr float kWidth = kRight - kLeft, kHeight = kBottom - kTop;
constexpr float kTablesY = 8000;  // the limit description and the marker table start here
constexpr float kRowStep = 200;
constexpr float kOriginX = 800;
constexpr float kPhaseLabelX = 10700;  // the phase heading and labels, right of the box
constexpr const char* kPhaseHeading = "Phase:";
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGainColour{0, 0, 255};
constexpr Rgb kDelayColour{102, 17, 17};
constexpr Rgb kPhaseColour{17, 102, 17};
constexpr Rgb kLimitOutline{221, 17, 17};
constexpr Rgb kLimitHatch{255, 0, 0};
constexpr Rgb kRingColour{17, 17, 17};
constexpr float kDelayStep = 0.999f;  // the markers' delay is a central difference over f +/- 0.1 %

// y of label i of n labels, 100 above its grid line: Int(6000 i / n) + 900.
float LabelY(int i, int n) {
  return static_cast<float>(std::floor(6000.0 * i / n)) + 900;
}

// Held within the box; a value without meaning lies on the floor.
float ClampY(float y) {
  return std::isnan(y) ? kBottom : std::clamp(y, kTop, kBottom);
}

bool InsideBox(float x, float y) {
  return x >= kLeft && x <= kRight && y >= kTop && y <= kBottom;
}
}  // namespace

bool PlotPrintout::Run() {
  return PrintOrReportError(
      device_, [this](PrintDevice& sheet) { DrawSheets(sheet); }, dialogs_);
}

void PlotPrintout::DrawSheets(PrintDevice& device) {
  sheet_ = &device;
  rowOfSlot_.fill(0);
  printY_ = kTablesY;
  device.SetOrientation(PrintOrientation::Portrait);
  device.SetFont("", 10, false);
  // From the printable corner to the end of "Phase:", the rightmost text, and below the tables.
  // The text's width counts in the sheet's own twips, whatever the device shrinks them to.
  device.SetDrawingArea(
      std::max(12000.0f, kOriginX + kPhaseLabelX + device.TextWidth(kPhaseHeading)), 11400);
  device.SetOrigin(kOriginX, 1000);  // scale left -800, scale top -1000
  GainPart();
  if (curves_.delay)
    DelayPart();
  if (curves_.phase)
    PhasePart();
  if (record_.LimitsOn == 1)
    Limits();
  if (record_.MarkersOn == 1)
    GainMarkers();
  if (record_.MarkersOn == 1 && curves_.delay)
    DelayMarkers();
  Footer();
}

// --- Mapping (twips; the value axes of the analysis page, the box moved 1000 to the left) ---

// 0 at Fstart, 1 at Fstop on the logarithmic axis.
float PlotPrintout::Position(float f) const {
  const double low = std::log(static_cast<double>(record_.Fstart));
  return static_cast<float>((std::log(static_cast<double>(f)) - low) /
                            (std::log(static_cast<double>(record_.Fstop)) - low));
}

float PlotPrintout::X(float f) const {
  return kLeft + kWidth * Position(f);
}

// dBtop at the top edge, dBbottom at the bottom edge; not held within the box.
float PlotPrintout::GainY(float dB) const {
  const double top = record_.dBtop;
  return static_cast<float>(kTop + kHeight * (top - dB) / (top - record_.dBbottom));
}

// DelayTop at the top edge, 0 s at the bottom edge; not held within the box.
float PlotPrintout::DelayY(float seconds) const {
  return static_cast<float>(kBottom - kHeight * static_cast<double>(seconds) / record_.DelayTop);
}

// +180 degrees at the top edge, -180 at the bottom edge.
float PlotPrintout::PhaseY(float degrees) {
  return static_cast<float>(4000 - kHeight * static_cast<double>(degrees) / 360);
}

// --- Curves and axes ---

void PlotPrintout::GainPart() {
  PrintDevice& device = *sheet_;
  device.SetLineWidth(16);
  device.Box(kLeft, kTop, kRight, kBottom, kBlack, false);
  device.SetLineWidth(1);
  device.SetFont("", 10, false);
  print_text::PrintAt(device, 700, 500, "Gain, dB");
  GainLabelsAndGrid();
  FrequencyGrid();
  device.SetLineWidth(12);
  Curve(
      record_.Gain, [this](float dB) { return ClampY(GainY(dB)); }, kGainColour);
  device.SetLineWidth(1);
}

// Labels right-aligned 100 twips left of the box (measured, so that no screen size enters the
// sheet); grid lines one twip closer than the labels each step, as the sheet always had them.
void PlotPrintout::GainLabelsAndGrid() {
  PrintDevice& device = *sheet_;
  const int n = std::max<int>(record_.NrYintervals, 1);
  for (int i = 0; i <= n; ++i) {
    const float value =
        (record_.dBbottom - record_.dBtop) * (static_cast<float>(i) / static_cast<float>(n)) +
        record_.dBtop;
    const std::string text = Trimmed(FormatNum(value));
    const float x = 900 - device.TextWidth(text);
    device.Point(x, LabelY(i, n), kWhite);
    device.Write(text);
  }
  device.SetLineWidth(1);
  const float step = 6000.0f / static_cast<float>(n) - 1;
  if (!(step > 0))
    return;  // thousands of intervals leave no room between the lines
  for (float y = kTop; y <= kBottom; y += step)
    device.Line(kLeft, y, kRight, y, kBlack);
}

void PlotPrintout::FrequencyGrid() {
  PrintDevice& device = *sheet_;
  const int last = std::min<int>(record_.NrGridFreqs, kMaxPoint);
  for (int i = 0; i <= last; ++i) {
    const float x = X(record_.GridFreq[static_cast<std::size_t>(i)]);
    device.Line(x, kTop, x, kBottom, kBlack);
  }
  GridLabelFilter labels(GridLabelRule::Paper(),
                         static_cast<double>(record_.Fstop) / record_.Fstart);
  for (int i = 0; i <= last && !labels.Full(); ++i) {
    const float f = record_.GridFreq[static_cast<std::size_t>(i)];
    const float position = Position(f);
    const std::string text = FormatFreq(f);
    if (labels.Accept(position, text))
      print_text::PrintAt(device, 800 + kWidth * position, 7150, text);
  }
}

template <typename MapY>
void PlotPrintout::Curve(const PointArray& values, MapY mapY, Rgb colour) {
  PrintDevice& device = *sheet_;
  const int last = std::clamp<int>(record_.Nints, 0, kMaxNints);
  float previousX = 0, previousY = 0;
  for (int i = 0; i <= last; ++i) {
    const auto point = static_cast<std::size_t>(i);
    const float x = X(record_.Freq[point]);
    const float y = mapY(values[point]);
    if (i == 0)
      device.Line(x, y, x, y, colour);
    else
      device.Line(previousX, previousY, x, y, colour);
    previousX = x;
    previousY = y;
  }
}

void PlotPrintout::DelayPart() {
  PrintDevice& device = *sheet_;
  print_text::PrintAt(device, 9900, 500, "Delay:");
  const int n = std::max<int>(record_.NrYintervals, 1);
  for (int i = 0; i <= n; ++i) {
    const float value = static_cast<float>(i) * record_.DelayTop / static_cast<float>(n);
    print_text::PrintAt(device, 10100,
                        6900 - std::floor(6000.0f * static_cast<float>(i) / static_cast<float>(n)),
                        Trimmed(FormatEng(value)));
  }
  device.SetLineWidth(12);
  Curve(
      record_.Delay, [this](float s) { return ClampY(DelayY(s)); }, kDelayColour);
  device.SetLineWidth(1);
}

void PlotPrintout::PhasePart() {
  PrintDevice& device = *sheet_;
  print_text::PrintAt(device, kPhaseLabelX, 500, kPhaseHeading);
  const int n = std::max<int>(record_.NrYintervals, 1);
  for (int i = 0; i <= n; ++i) {
    const int degrees = static_cast<int16_t>(i * 360);  // a 16-bit product, as on the page
    const float value = 180 - static_cast<float>(degrees) / static_cast<float>(n);
    print_text::PrintAt(device, kPhaseLabelX, LabelY(i, n), Trimmed(FormatNum(value)));
  }
  device.SetLineWidth(12);
  Curve(
      record_.Phase, [](float p) { return ClampY(PhaseY(p)); }, kPhaseColour);
  device.SetLineWidth(1);
}

// --- Gain limits ---

void PlotPrintout::Limits() {
  const auto count = static_cast<std::size_t>(std::clamp<int>(record_.NrLimits[1], 0, kMaxLimit));
  for (std::size_t j = 1; j <= count; ++j)
    LimitBox(j);
  LimitTexts();
}

void PlotPrintout::LimitBox(std::size_t j) {
  const float start = record_.LimitStart[j][1], stop = record_.LimitStop[j][1];
  if (!(start > 0 && stop > 0))
    return;  // a limit that was never set has no place on the axis
  PrintDevice& device = *sheet_;
  const float x1 = std::clamp(X(start), kLeft, kRight);
  const float x2 = std::clamp(X(stop), kLeft, kRight);
  const float y1 = ClampY(GainY(record_.LimitTop[j][1]));
  const float y2 = ClampY(GainY(record_.LimitBottom[j][1]));
  device.SetLineWidth(6);
  const float grow = (start == stop && y1 == y2) ? 30 : 0;  // a point limit still shows
  device.Box(x1 - grow, y1 - grow, x2 + grow, y2 + grow, kLimitOutline, false);
  device.SetLineWidth(1);
  for (float y = y1; y < y2; y += 40)
    device.Line(x1, y, x2, y, kLimitHatch);
}

void PlotPrintout::LimitTexts() {
  PrintDevice& device = *sheet_;
  printY_ = kTablesY;
  device.SetFont("", 8, false);
  print_text::PrintAt(device, 600, printY_, "Details of limits for gain plot:");
  const auto count = static_cast<std::size_t>(std::clamp<int>(record_.NrLimits[1], 0, kMaxLimit));
  for (std::size_t j = 1; j <= count; ++j) {
    printY_ += kRowStep;
    const std::string line = LimitLine(j);
    if (!line.empty())
      print_text::PrintAt(device, 600, printY_, line);
  }
}

// The description of limit j; the texts join without blanks of their own, as the sheet always
// printed them (the frequency texts bring theirs). Empty for an unknown shape.
std::string PlotPrintout::LimitLine(std::size_t j) const {
  std::string line;
  switch (static_cast<int>(record_.LimitShape[j][1])) {
    case 1:
      line.append("From DC up to ").append(FormatFreq(record_.LimitStop[j][1]));
      line.append(" magnitude is at least ").append(FormatNum(record_.LimitTop[j][1]));
      break;
    case 2:
      line.append("From ").append(FormatFreq(record_.LimitStart[j][1]));
      line.append("upward; magnitude is no more than ")
          .append(FormatNum(record_.LimitBottom[j][1]));
      break;
    case 4:
      line.append("From DC up to ").append(FormatFreq(record_.LimitStop[j][1]));
      line.append("magnitude is no more than ").append(FormatNum(record_.LimitBottom[j][1]));
      break;
    default:
      break;
  }
  return line;
}

// --- Markers ---

// Group delay at f (s): the phase difference over f * 0.999 .. f / 0.999, -dphi/domega.
float PlotPrintout::MarkerDelay(float f) {
  const float f1 = f * kDelayStep, f2 = f / kDelayStep;
  float gain = 0, p1 = 0, p2 = 0;
  ResponseAt(record_, f1, gain, p1);
  ResponseAt(record_, f2, gain, p2);
  return (p1 - p2) / (360 * (f2 - f1));
}

// Markers inside the box get a ring on the gain curve and a table row, numbered in turn; the
// delay column holds each marker's own group delay.
void PlotPrintout::GainMarkers() {
  PrintDevice& device = *sheet_;
  int n = 1;
  for (std::size_t k = 1; k <= kUsedMarkers; ++k) {
    const float f = record_.MarkerFreq[k];
    if (!(f > 0))
      continue;
    ResponseAt(record_, f, record_.GainAt, record_.PhaseAt);
    const float gain = record_.GainAt, phase = record_.PhaseAt;
    const float x = X(f), y = GainY(gain);
    if (!InsideBox(x, y))
      continue;
    Ring(x, y, n);
    const float delay = MarkerDelay(f);
    if (n == 1)
      TableHeadings();
    const float rowY = kTablesY + kRowStep * static_cast<float>(n);
    print_text::PrintAt(device, 6000, rowY, std::to_string(n));
    print_text::PrintAt(device, 6500, rowY, FormatFreq(f));
    print_text::PrintAt(device, 7200, rowY, FormatNum(gain));
    print_text::PrintAt(device, 8200, rowY, FormatNum(phase));
    print_text::PrintAt(device, 9000, rowY, FormatEng(delay));
    rowOfSlot_[k] = n;
    ++n;
  }
}

// Rings on the delay curve carry the number of the marker's table row, which already shows its
// delay; a marker without a row gets no delay ring.
void PlotPrintout::DelayMarkers() {
  for (std::size_t k = 1; k <= kUsedMarkers; ++k) {
    const float f = record_.MarkerFreq[k];
    if (!(f > 0) || rowOfSlot_[k] == 0)
      continue;
    const float x = X(f), y = DelayY(MarkerDelay(f));
    if (InsideBox(x, y))
      Ring(x, y, rowOfSlot_[k]);
  }
}

// Printed once, over the first row: printing them again on the same spot adds nothing on paper
// and repeats the words in the document's text.
void PlotPrintout::TableHeadings() {
  for (const auto& [x, heading] :
       {std::pair{6000.0f, "#:"}, std::pair{6500.0f, "Freq:"}, std::pair{7200.0f, "Gain:"},
        std::pair{8200.0f, "Phase:"}, std::pair{9000.0f, "Delay:"}}) {
    print_text::PrintAt(*sheet_, x, kTablesY, heading);
  }
}

// A dark ring with a white centre and the marker number on it.
void PlotPrintout::Ring(float x, float y, int number) {
  PrintDevice& device = *sheet_;
  device.SetLineWidth(80);
  device.Line(x, y, x, y, kRingColour);
  device.SetLineWidth(70);
  device.Line(x, y, x, y, kWhite);
  device.SetLineWidth(1);
  print_text::PrintAt(device, x - 45, y - 78, std::to_string(number));
}

void PlotPrintout::Footer() {
  print_text::PrintAt(
      *sheet_, 600, printY_ + 300,
      clock_.LocalDateTime() + "   " + ProgramTexts::kTitle + "   " + ProgramTexts::kVersion);
}

}  // namespace kestro
