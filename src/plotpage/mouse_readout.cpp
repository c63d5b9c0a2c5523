// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/mouse_readout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/eng_value.h"
#include "plotpage/plot_palette.h"

namespace kestro {
namespace {

constexpr float kHeadingY = 7290;
constexpr float kValueY = 7470;
constexpr std::array<float, 5> kColumnX{4500, 5300, 6100, 6900, 7700};
constexpr std::array<const char*, 5> kHeadings{
    "Freq.:", "Gain:", "Phase:", "Delay:", "Gain slope:"};
// Gains below this read as "<-120".
constexpr float kLowestGain = -120;

bool OverPlot(float x, float y) {
  return x > plot::kBoxLeft && x < plot::kBoxRight && y > plot::kBoxTop;
}

}  // namespace

MouseReadout::MouseReadout(ResponsePlot& plot, DesignRecord& record, LimitEntry& limits)
    : plot_(plot), record_(record), limits_(limits) {}

void MouseReadout::Press(float x, float y) {
  mouseIsDown_ = -1;
  ClearAndShow(x, y);
}

void MouseReadout::Move(float x, float y) {
  if (mouseIsDown_ == -1)
    ClearAndShow(x, y);
}

// Over the plot (strictly right of its left edge, left of its right edge, below its top; no lower
// bound) the area under the plot is cleared, and the readout shown unless a limit is entered.
void MouseReadout::ClearAndShow(float x, float y) {
  if (!OverPlot(x, y))
    return;
  plot_.Drawing().Surface().FillRect(4200, 7290, 11000, 9000, plot::kPageBackground);
  if (record_.LimitEntrySet == 0)
    ShowReadout(x);
}

void MouseReadout::ShowReadout(float x) {
  PlotDrawing& drawing = plot_.Drawing();
  for (std::size_t c = 0; c < kColumnX.size(); ++c)
    drawing.PrintAt(kColumnX[c], kHeadingY, kHeadings[c], plot::kPageBackground);
  const int last = std::clamp<int>(record_.Nints, 0, kMaxNints);
  readoutIndex_ = PlotMapping::PointUnder(x, last);
  const auto i = static_cast<std::size_t>(readoutIndex_);
  const float gain = record_.Gain[i];
  drawing.PrintAt(kColumnX[0], kValueY, FormatFreq(record_.Freq[i]), plot::kPageBackground);
  drawing.PrintAt(kColumnX[1], kValueY, gain < kLowestGain ? "<-120" : FormatNum(gain),
                  plot::kPageBackground);
  drawing.PrintAt(kColumnX[2], kValueY, FormatNum(record_.Phase[i]), plot::kPageBackground);
  drawing.PrintAt(kColumnX[3], kValueY, FormatEng(record_.Delay[i]), plot::kPageBackground);
  if (readoutIndex_ >= 3 && readoutIndex_ < last - 2)
    PrintSlope(readoutIndex_);
}

// Gain change per octave between the two neighbouring points: (g2 - g1) / log2(f2 / f1).
void MouseReadout::PrintSlope(int i) {
  const auto at = static_cast<std::size_t>(i);  // 3 or more
  const std::size_t before = at - 1;
  const std::size_t after = at + 1;
  const double octaves =
      std::log(static_cast<double>(record_.Freq[after]) / record_.Freq[before]) / std::log(2.0);
  const double slope = (static_cast<double>(record_.Gain[after]) - record_.Gain[before]) / octaves;
  plot_.Drawing().PrintAt(kColumnX[4], kValueY,
                          FormatNum(static_cast<float>(slope)) + " dB / octave",
                          plot::kPageBackground);
}

// A release in limit entry adds the limit, unless the set is full: then the entry stays open and
// its message stays on the line, which a later move must not clear. Every other release ends
// the readout and the entry and redraws the plot.
void MouseReadout::Release(float x, float y) {
  mouseIsDown_ = 0;
  if (limits_.Accepts(x, y)) {
    if (limits_.SetIsFull())
      return;
    limits_.AddLimitAt(x, y);
  }
  plot_.Drawing().Surface().FillRect(4300, 7290, 11000, 9000, plot::kPageBackground);
  record_.LimitEntrySet = 0;
  plot_.Refresh();  // the whole plot again, every curve that is on
}

}  // namespace kestro
