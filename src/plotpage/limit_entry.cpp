// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/limit_entry.h"

#include <algorithm>
#include <cmath>

#include "core/gain_limits.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"
#include "plotpage/shape_pictures.h"

namespace kestro {
namespace {

constexpr Rgb kPlainShapeFace{221, 255, 255};
constexpr Rgb kChosenShapeFace{0, 255, 0};
constexpr Rgb kGuide{255, 0, 0};

bool IsShape(int16_t code) {
  return code == kFloorFromDc || code == kCeilingUpward || code == kCeilingFromDc;
}

}  // namespace

LimitEntry::LimitEntry(PlotPageControls& controls, ResponsePlot& plot, DesignRecord& record)
    : controls_(controls), plot_(plot), record_(record) {}

void LimitEntry::Wire() {
  for (const int16_t shape : {kFloorFromDc, kCeilingUpward, kCeilingFromDc}) {
    Control& button = ShapeButton(shape);
    button.picture = LimitShapePicture(shape);
    button.onClick = [this, shape] { ChooseShape(shape); };
  }
}

void LimitEntry::ChooseShape(int16_t shape) {
  record_.LimitEntryShape = shape;
  record_.LimitEntrySet = kGainLimitSet;
  record_.LimitsOn = 1;
  PlainShapeFaces();
  ShapeButton(shape).face = kChosenShapeFace;
  if (shape == kFloorFromDc)
    plot_.Redraw();
}

void LimitEntry::Begin() {
  record_.LimitEntrySet = kGainLimitSet;
  record_.LimitsOn = 1;
  const PlotPageControls& c = controls_;
  plot_controls::SetVisible(plot_controls::LimitShapeButtons(c), true);
  plot_controls::SetEnabled(
      {c.cmdPoles, c.cmdPhase, c.cmdSavePlot, c.cmdGetPlot, c.cmdLimits, c.cmdMonteCarlo,
       c.cmdNearest5, c.cmdTuneWidth, c.cmdTunePart, c.cmdEditPart},
      false);
  WriteMessage(kPrompt);
}

bool LimitEntry::Accepts(float x, float y) const {
  return record_.LimitEntrySet >= 1 && x > plot::kBoxLeft && x < plot::kBoxRight &&
         y > plot::kBoxTop;
}

bool LimitEntry::SetIsFull() {
  if (LimitCount(record_, record_.LimitEntrySet) < kMaxEnteredLimits)
    return false;
  WriteMessage(kSetFull);
  return true;
}

// The clicked frequency is the analysis point under x, Int((x - 2000) / 9000 * (Nints + 1)); the
// clicked gain lies on the linear gain axis from dBtop at y = 1000 to dBbottom at y = 7000.
bool LimitEntry::AddLimitAt(float x, float y) {
  const int16_t shape = record_.LimitEntryShape;
  if (!Accepts(x, y) || !IsShape(shape))
    return false;  // no shape chosen yet: a click adds no limit the list could not show
  const int last = std::clamp<int>(record_.Nints, 0, kMaxNints);
  const float freq = record_.Freq[static_cast<std::size_t>(PlotMapping::PointUnder(x, last))];
  const double top = record_.dBtop;
  const auto gain = static_cast<float>(
      top + (y - plot::kBoxTop) * (static_cast<double>(record_.dBbottom) - top) / plot::kBoxHeight);
  if (!AddGainLimit(record_, record_.LimitEntrySet, shape, freq, gain))
    return false;
  DrawGuides(shape, x, y);
  PlainShapeFaces();
  return true;
}

void LimitEntry::DrawGuides(int16_t shape, float x, float y) {
  Canvas& canvas = plot_.Drawing().Surface();
  const float across = shape == kCeilingUpward ? plot::kBoxRight : plot::kBoxLeft;
  const float upDown = shape == kFloorFromDc ? plot::kBoxBottom : plot::kBoxTop;
  canvas.Line(x, y, across, y, kGuide);
  canvas.Line(x, y, x, upDown, kGuide);
}

// The button of a shape code; only the three shapes have one.
Control& LimitEntry::ShapeButton(int16_t shape) {
  switch (shape) {
    case kCeilingUpward:
      return *controls_.cmdLimit2;
    case kCeilingFromDc:
      return *controls_.cmdLimit4;
    default:
      return *controls_.cmdLimit1;
  }
}

void LimitEntry::PlainShapeFaces() {
  for (Control* button : plot_controls::LimitShapeButtons(controls_))
    button->face = kPlainShapeFace;
}

// The message line under the plot, where the readout otherwise shows.
void LimitEntry::WriteMessage(const std::string& text) {
  Canvas& canvas = plot_.Drawing().Surface();
  canvas.FillRect(4500, 7300, 6000, 7700, plot::kPageBackground);
  plot_.Drawing().PrintAt(4500, 7350, text, plot::kPageBackground);
}

}  // namespace kestro
