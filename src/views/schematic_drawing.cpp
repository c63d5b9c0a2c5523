// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/schematic_drawing.h"

#include <array>
#include <cmath>

#include "core/eng_value.h"
#include "printouts/schematic_geometry.h"
#include "views/schematic_layout.h"

namespace kestro {

using namespace schematic_geometry;

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBandEdge{17, 204, 136};
constexpr float kBandTop = 1200, kBandBottom = 4300, kBandLeft = 1, kBandRight = 12400;

// The source circle: 190 units across x; 4/3 of that in y keeps it round on a 16:9 screen,
// where a y unit is 3/4 of an x unit in pixels.
constexpr float kSourceRadiusX = 190, kSourceRadiusY = 253, kSourceCentre = 520;

}  // namespace

SchematicDrawing::SchematicDrawing(Canvas& canvas, const DesignRecord& record)
    : canvas_(canvas), record_(record) {}

void SchematicDrawing::Draw(float x0, float y0) {
  ClearBand();
  canvas_.SetLineWidth(2);
  x_ = x0;
  y_ = y0;
  const SchematicLayout layout = SchematicLayout::For(record_);
  Source();
  for (std::size_t s = 1; s <= static_cast<std::size_t>(layout.stages); ++s)
    Stage(s, s == 1 && layout.oddOrder);
  Output();
  canvas_.SetLineWidth(1);
}

void SchematicDrawing::ClearBand() {
  canvas_.FillRect(kBandLeft, kBandTop, kBandRight, kBandBottom, kBackground);
  canvas_.Line(kBandLeft, kBandTop, kBandRight, kBandTop, kBandEdge);
  canvas_.Line(kBandLeft, kBandBottom, kBandRight, kBandBottom, kBandEdge);
}

// A circle with one period of a sine inside, its top lead up to the signal line and its bottom
// lead down to ground.
void SchematicDrawing::Source() {
  const float cx = x_ + 240, cy = y_ + kSourceCentre;
  const double pi = 4.0 * std::atan(1.0);
  canvas_.Line(cx, cy - kSourceRadiusY, cx, cy - kSourceRadiusY, kBlack);
  for (int degrees = 0; degrees <= 360; degrees += 10) {
    const double a = pi * degrees / 180.0;
    canvas_.LineTo(cx + kSourceRadiusX * static_cast<float>(std::sin(a)),
                   cy - kSourceRadiusY * static_cast<float>(std::cos(a)), kBlack);
  }
  canvas_.Line(cx - 120, cy, cx - 120, cy, kBlack);
  for (int degrees = 0; degrees <= 360; degrees += 20) {
    const double a = pi * degrees / 180.0;
    canvas_.LineTo(cx - 120 + 240 * static_cast<float>(degrees) / 360,
                   cy - 100 * static_cast<float>(std::sin(a)), kBlack);
  }
  canvas_.Line(cx, cy - kSourceRadiusY, cx, y_, kBlack);
  canvas_.Line(cx, cy + kSourceRadiusY, cx, y_ + kGroundLead, kBlack);
  Ground(cx, y_ + kGroundLead);
  x_ += kSourceWidth;
}

void SchematicDrawing::Stage(std::size_t s, bool singlePole) {
  if (s > 1)
    canvas_.Line(x_, y_ + kOutputLevel, x_, y_, kBlack);  // from the last output up to the line
  if (singlePole) {
    SeriesResistor(record_.R[1][1]);
    GroundedCapacitor(record_.C[1][1]);
  }
  SeriesResistor(record_.R[s][2]);
  FeedbackCapacitor(record_.C[s][2]);
  SeriesResistor(record_.R[s][3]);
  GroundedCapacitor(record_.C[s][3]);
  OpAmp();
  x_ += kStageGap;
}

void SchematicDrawing::SeriesResistor(float ohms) {
  canvas_.Line(x_, y_, x_ + 200, y_, kBlack);
  Zigzag(x_);
  canvas_.Line(x_ + 560, y_, x_ + kResistorLength, y_, kBlack);
  Label(x_ + 250, y_ - 300, FormatNum(ohms));
  x_ += kResistorLength;
}

void SchematicDrawing::GroundedCapacitor(float farads) {
  Plates(x_);
  canvas_.Line(x_, y_ + kLowerPlate, x_, y_ + kGroundLead, kBlack);
  Ground(x_, y_ + kGroundLead);
  Label(x_ - 300, y_ + 1300, FormatCap(farads));
}

void SchematicDrawing::FeedbackCapacitor(float farads) {
  Plates(x_);
  canvas_.Line(x_, y_ + kLowerPlate, x_, y_ + kFeedbackLead, kBlack);
  feedbackX_ = x_;
  Label(x_ - 320, y_ + 1700, FormatCap(farads));
}

// The + input takes the signal; the - input is wired to the output (unity-gain follower), and
// the output also closes the feedback path of the stage's feedback capacitor.
void SchematicDrawing::OpAmp() {
  const float x = x_, y = y_;
  canvas_.Line(x, y, x + kOpAmpInput, y, kBlack);
  Triangle(x + kOpAmpInput);
  canvas_.Line(x + kOpAmpTip, y + kOutputLevel, x + kStageGap, y + kOutputLevel, kBlack);
  canvas_.Line(x + kOpAmpInput, y + kMinusInput, x + kLoopX, y + kMinusInput, kBlack);
  canvas_.LineTo(x + kLoopX, y + kLoopLevel, kBlack);
  canvas_.LineTo(x + kOutputNode, y + kLoopLevel, kBlack);
  canvas_.Line(x + kOutputNode, y + kOutputLevel, x + kOutputNode, y + kFeedbackLead, kBlack);
  canvas_.Line(feedbackX_, y + kFeedbackLead, x + kOutputNode, y + kFeedbackLead, kBlack);
  Junction(x + kOutputNode, y + kOutputLevel);
  Junction(x + kOutputNode, y + kLoopLevel);
}

void SchematicDrawing::Output() {
  canvas_.Line(x_, y_ + kOutputLevel, x_ + 300, y_ + kOutputLevel, kBlack);
  Label(x_ + 360, y_ + 120, "Output");
}

// --- Symbols ---

void SchematicDrawing::Zigzag(float x) {
  constexpr std::array<float, 8> kXs{200, 230, 290, 350, 410, 470, 530, 560};
  canvas_.Line(x + kXs[0], y_, x + kXs[0], y_, kBlack);
  for (std::size_t i = 1; i < kXs.size(); ++i) {
    const float offset = (i == kXs.size() - 1) ? 0.0f : (i % 2 == 1 ? -60.0f : 60.0f);
    canvas_.LineTo(x + kXs[i], y_ + offset, kBlack);
  }
}

// A capacitor hanging from the node at x: its upper lead and two plates 240 wide.
void SchematicDrawing::Plates(float x) {
  Junction(x, y_);
  canvas_.Line(x, y_, x, y_ + kUpperPlate, kBlack);
  canvas_.Line(x - kPlateHalfWidth, y_ + kUpperPlate, x + kPlateHalfWidth, y_ + kUpperPlate,
               kBlack);
  canvas_.Line(x - kPlateHalfWidth, y_ + kLowerPlate, x + kPlateHalfWidth, y_ + kLowerPlate,
               kBlack);
}

void SchematicDrawing::Ground(float x, float y) {
  canvas_.Line(x - 120, y, x + 120, y, kBlack);
  canvas_.Line(x - 80, y + 50, x + 80, y + 50, kBlack);
  canvas_.Line(x - 40, y + 100, x + 40, y + 100, kBlack);
}

void SchematicDrawing::Junction(float x, float y) {
  canvas_.FillRect(x - 25, y - 33, x + 25, y + 33, kBlack);
}

// The op-amp's triangle from its input side at x to its tip, with + at the upper input (on the
// signal line) and - at the lower one.
void SchematicDrawing::Triangle(float x) {
  const float y = y_;
  canvas_.Line(x, y + kTriangleTop, x, y + kTriangleBottom, kBlack);
  canvas_.LineTo(x + (kOpAmpTip - kOpAmpInput), y + kOutputLevel, kBlack);
  canvas_.LineTo(x, y + kTriangleTop, kBlack);
  const float middle = (kSignLeft + kSignRight) / 2;
  canvas_.Line(x + kSignLeft, y, x + kSignRight, y, kBlack);  // +
  canvas_.Line(x + middle, y - kSignHalfHeight, x + middle, y + kSignHalfHeight, kBlack);
  canvas_.Line(x + kSignLeft, y + kMinusInput, x + kSignRight, y + kMinusInput, kBlack);  // -
}

void SchematicDrawing::Label(float x, float y, const std::string& text) {
  PrintAt(canvas_, x, y, text, kBackground);
}

}  // namespace kestro
