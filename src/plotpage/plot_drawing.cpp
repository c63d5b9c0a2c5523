// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_drawing.h"

#include <algorithm>
#include <cmath>

#include "core/eng_value.h"
#include "plotpage/label_text.h"
#include "plotpage/plot_palette.h"
#include "printouts/grid_label_filter.h"

namespace kestro {
namespace {

using plot::kBoxBottom;
using plot::kBoxLeft;
using plot::kBoxRight;
using plot::kBoxTop;
using plot::kPageBackground;

// Label rows: item i of n sits Int(6000 i / n) units below the top of the box.
float RowOffset(int item, int intervals) {
  return static_cast<float>(std::floor(6000.0 * item / intervals));
}

// The right-hand columns, from the text position to where the next one (or the page) begins, in
// page units: delay labels at 11100 and phase labels at 11500, their titles at 10700 and 11450.
constexpr float kDelayColumnWidth = 11460 - 11100;
constexpr float kPhaseColumnWidth = 11985 - 11500;
constexpr float kDelayTitleWidth = 11450 - 10700;
constexpr float kPhaseTitleWidth = 11985 - 11450;

// Gain labels end near x = 1740, assuming 60 twips per character on a page as wide as the screen.
float GainLabelLeft(const std::string& text, float screenWidthTwips) {
  return 1740.0f - (12000.0f / screenWidthTwips) * static_cast<float>(text.size() * 60);
}

// x of a grid line (left = 2000) or of its label (left = 1800), in double, stored as single.
float GridX(float left, float position) {
  return static_cast<float>(left + static_cast<double>(plot::kBoxWidth) * position);
}

}  // namespace

PlotDrawing::PlotDrawing(Canvas& canvas, DesignRecord& record, PlotShared& shared)
    : canvas_(canvas), record_(record), shared_(shared), mapping_(record) {}

void PlotDrawing::PrintAt(float x, float y, const std::string& text, Rgb under) {
  canvas_.Point(x, y, under);
  canvas_.Print(text);
}

// A label of a right-hand column, on the page background, fitted to the column's width.
void PlotDrawing::PrintWithin(float x, float y, const std::string& text, float maxWidth) {
  canvas_.Point(x, y, kPageBackground);
  canvas_.PrintWithin(text, maxWidth);
}

int PlotDrawing::LastPoint() const {
  return std::clamp<int>(record_.Nints, 0, kMaxNints);
}

int PlotDrawing::Intervals() const {
  return std::max<int>(1, record_.NrYintervals);  // the design page keeps it at 1 or more
}

// --- Gain ---

void PlotDrawing::PlotGain() {
  if (!overlayMode_)
    DrawGainFrame();
  canvas_.SetLineWidth(2);
  DrawCurve(record_.Gain, &PlotMapping::GainY, colours_.gain);
  UpdateGainExtremes();
  canvas_.SetLineWidth(1);
}

void PlotDrawing::DrawGainFrame() {
  ClearLabelAreas();
  PrintAt(1600, 500, "Gain, dB:", kPageBackground);
  DrawBox();
  DrawGainLimitMasks();
  canvas_.SetLineWidth(1);
  DrawHorizontalGrid();
  DrawGainLabels();
  DrawXlines();
}

void PlotDrawing::ClearLabelAreas() {
  canvas_.FillRect(1080, 800, 1950, 7300, kPageBackground);    // gain labels
  canvas_.FillRect(4200, 7290, 11000, 9000, kPageBackground);  // under the frequency labels
  canvas_.FillRect(100, 450, 11985, 980, kPageBackground);     // titles
  canvas_.FillRect(10600, 450, 11985, 900, kPageBackground);
  // The delay column and the strip under the box reach the frame: a wide line drawn on the
  // frame (a limit outline, a curve's last point) leaves nothing beside it after a redraw.
  canvas_.FillRect(kBoxRight, 990, 11460, 7200, kPageBackground);        // delay labels
  canvas_.FillRect(11460, 990, 11985, 7200, kPageBackground);            // phase labels
  canvas_.FillRect(1950, kBoxBottom, kBoxRight, 7280, kPageBackground);  // frequency labels
  canvas_.FillRect(1600, 500, 2800, 800, kPageBackground);               // gain title
}

void PlotDrawing::DrawBox() {
  canvas_.SetLineWidth(2);
  canvas_.FillRect(kBoxLeft, kBoxTop, kBoxRight, kBoxBottom, plot::kWhite);
  canvas_.Rect(kBoxLeft, kBoxTop, kBoxRight, kBoxBottom, plot::kFrame);
  canvas_.SetLineWidth(1);
}

void PlotDrawing::DrawGainLimitMasks() {
  if (limitMaskPainter_)
    limitMaskPainter_(canvas_);
}

// The step is a double; each sum is rounded to single as y is kept.
void PlotDrawing::DrawHorizontalGrid() {
  const double step = static_cast<double>(plot::kBoxHeight) / Intervals();
  for (float y = kBoxTop; y <= kBoxBottom; y = static_cast<float>(y + step)) {
    canvas_.Line(kBoxLeft, y, kBoxRight, y, plot::kGrid);
  }
}

void PlotDrawing::DrawGainLabels() {
  const int intervals = Intervals();
  const double top = record_.dBtop;
  const double span = static_cast<double>(record_.dBbottom) - top;
  for (int item = 0; item <= intervals; ++item) {
    const auto value = static_cast<float>(span * (static_cast<double>(item) / intervals) + top);
    const std::string text = Trimmed(FormatNum(value));
    PrintAt(GainLabelLeft(text, canvas_.ScreenWidthTwips()), RowOffset(item, intervals) + 900, text,
            kPageBackground);
  }
}

void PlotDrawing::UpdateGainExtremes() {
  for (int i = 0; i <= LastPoint(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (shared_.GainMin[index] > record_.Gain[index])
      shared_.GainMin[index] = record_.Gain[index];
    if (shared_.GainMax[index] < record_.Gain[index])
      shared_.GainMax[index] = record_.Gain[index];
  }
}

void PlotDrawing::PlotGainTrace() {
  DrawCurve(record_.Gain, &PlotMapping::GainY, colours_.gain);
}

// --- Phase ---

void PlotDrawing::PlotPhase() {
  if (shared_.PhaseOn == 0)
    return;
  if (!overlayMode_) {
    PrintWithin(11450, 500, "Phase:", kPhaseTitleWidth);
    DrawPhaseLabels();
    DrawXlines();
  }
  canvas_.SetLineWidth(2);
  DrawCurve(record_.Phase, &PlotMapping::PhaseY, colours_.phase);
  canvas_.SetLineWidth(1);
}

void PlotDrawing::DrawPhaseLabels() {
  const int intervals = Intervals();
  for (int item = 0; item <= intervals; ++item) {
    const auto product = static_cast<int16_t>(item * 360);
    const auto value = static_cast<float>(180.0 - static_cast<double>(product) / intervals);
    PrintWithin(11500, RowOffset(item, intervals) + 900, Trimmed(FormatNum(value)),
                kPhaseColumnWidth);
  }
}

// --- Delay ---

void PlotDrawing::PlotDelay() {
  if (shared_.DelayOn == 0)
    return;
  if (!(record_.DelayTop >= 1e-9f))
    record_.DelayTop = 1e-9f;  // never divide by zero
  if (!overlayMode_) {
    PrintWithin(10700, 500, "Delay, s:", kDelayTitleWidth);
    DrawDelayLabels();
    DrawXlines();
  }
  canvas_.SetLineWidth(2);
  DrawCurve(record_.Delay, &PlotMapping::DelayY, colours_.delay);
  UpdateDelayExtremes();
  canvas_.SetLineWidth(1);
}

void PlotDrawing::DrawDelayLabels() {
  const int intervals = Intervals();
  for (int item = 0; item <= intervals; ++item) {
    const auto value = static_cast<float>(item * static_cast<double>(record_.DelayTop) / intervals);
    PrintWithin(11100, 6900 - RowOffset(item, intervals), Trimmed(FormatEng(value)),
                kDelayColumnWidth);
  }
}

void PlotDrawing::UpdateDelayExtremes() {
  for (int i = 0; i <= LastPoint(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (shared_.DelayMin[index] > record_.Delay[index]) {
      shared_.DelayMin[index] = record_.Delay[index];
    }
    if (shared_.DelayMax[index] < record_.Delay[index]) {
      shared_.DelayMax[index] = record_.Delay[index];
    }
  }
}

// --- Vertical grid ---

void PlotDrawing::DrawXlines() {
  const int last = std::min<int>(record_.NrGridFreqs, kMaxPoint);
  for (int i = 0; i <= last; ++i) {
    const auto index = static_cast<std::size_t>(i);
    shared_.GridPos[index] = mapping_.Position(record_.GridFreq[index]);
  }
  canvas_.SetLineWidth(1);
  for (int i = 0; i <= last; ++i) {
    const float x = GridX(kBoxLeft, shared_.GridPos[static_cast<std::size_t>(i)]);
    canvas_.Line(x, kBoxTop, x, kBoxBottom, plot::kGrid);
  }
  GridLabelFilter labels(GridLabelRule::Screen(),
                         static_cast<double>(record_.Fstop) / record_.Fstart);
  for (int i = 0; i <= last && !labels.Full(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    const std::string text = FormatFreq(record_.GridFreq[index]);
    if (labels.Accept(shared_.GridPos[index], text)) {
      PrintAt(GridX(1800, shared_.GridPos[index]), 7100, text, kPageBackground);
    }
  }
}

// --- Curves ---

void PlotDrawing::DrawCurve(const PointArray& values, ValueMap map, Rgb colour) {
  for (int i = 0; i <= LastPoint(); ++i) {
    const auto index = static_cast<std::size_t>(i);
    const float x = mapping_.X(record_.Freq[index]);
    const float y = (mapping_.*map)(values[index]);
    if (i == 0) {
      canvas_.Line(x, y, x, y, colour);
    } else {
      canvas_.LineTo(x, y, colour);
    }
  }
}

void PlotDrawing::PlotExtremes() {
  canvas_.SetLineWidth(2);
  DrawCurve(shared_.GainMin, &PlotMapping::GainY, plot::kGainEnvelope);
  DrawCurve(shared_.GainMax, &PlotMapping::GainY, plot::kGainEnvelope);
  DrawCurve(shared_.DelayMin, &PlotMapping::DelayY, plot::kDelayEnvelope);
  DrawCurve(shared_.DelayMax, &PlotMapping::DelayY, plot::kDelayEnvelope);
  canvas_.SetLineWidth(1);
}

void PlotDrawing::SelectColorSet(int k) {
  if (const auto set = CurveColours::Set(k))
    colours_ = *set;
}

}  // namespace kestro
