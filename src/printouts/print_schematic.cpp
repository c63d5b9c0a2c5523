// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_schematic.h"

#include <cmath>
#include <numbers>

#include "core/eng_value.h"
#include "printouts/print_job.h"
#include "printouts/print_text.h"
#include "printouts/schematic_geometry.h"

namespace kestro {

using namespace schematic_geometry;

namespace {
constexpr float kRowLeft = 1000;
constexpr float kFirstRowY = 3000, kSecondRowY = 6500;  // signal lines of the two rows
constexpr int kFirstStageOfSecondRow = 4;
constexpr int kPortraitStages = 2;
constexpr float kLineDots = 6;
constexpr Rgb kBlack{0, 0, 0};
constexpr float kSourceRadius = 190;
constexpr float kJunctionHalf = 25;
}  // namespace

bool SchematicPrintout::Run() {
  return PrintOrReportError(
      device_, [this](PrintDevice& sheet) { DrawSheets(sheet); }, dialogs_);
}

std::string SchematicPrintout::FamilyText(const DesignRecord& record) {
  switch (record.Family) {
    case kButterworth:
      return "Family: Butterworth";
    case kChebyshev:
      return "Family: Chebyshev - ripple: " + PlainNumber(record.Apass) + " dB";
    case kBessel:
      return "Family: Bessel";
    default:
      return "Family: Components modified";
  }
}

void SchematicPrintout::DrawSheets(PrintDevice& device) {
  sheet_ = &device;
  const int stages = StageCount(record_);
  const bool portrait = stages <= kPortraitStages;
  device.SetOrientation(portrait ? PrintOrientation::Portrait : PrintOrientation::Landscape);
  device.SetDrawingArea(portrait ? 12000 : 16000, portrait ? 15000 : 13300);
  device.SetOrigin(0, 0);
  device.SetFont("", 10, false);
  device.SetLineWidth(kLineDots);
  x_ = kRowLeft;
  y_ = kFirstRowY;
  Source();
  for (int s = 1; s <= stages; ++s)
    Stage(s);
  OutputLead();
  device.SetLineWidth(1);
  print_text::PrintAt(device, 2000, y_ + 2600, FamilyText(record_));
  print_text::PrintAt(device, 2000, y_ + 2900,
                      "Bandwidth:  " + print_text::SignedDecimal(record_.Bandwidth));
  print_text::PrintAt(device, 2000, y_ + 3500, clock_.LocalDateTime());
  device.SetFont("", 14, false);
  print_text::PrintAt(device, kRowLeft, 1400, "Lowpass Schematic");
  device.SetFont("", 10, false);
}

// --- Parts ---

// A sine source from the signal line down to ground, in the column 240 right of x.
void SchematicPrintout::Source() {
  PrintDevice& device = *sheet_;
  const float sx = x_ + 240, cy = y_ + 520;
  device.Line(x_, y_, sx, y_, kBlack);
  device.Line(sx, y_, sx, cy - kSourceRadius, kBlack);
  device.Circle(sx, cy, kSourceRadius);
  float previousX = sx - 120, previousY = cy;
  for (int i = 1; i <= 24; ++i) {  // one period of a sine, 240 wide
    const float x = sx - 120 + 10 * static_cast<float>(i);
    const float y = cy - 70 * static_cast<float>(std::sin(std::numbers::pi * i / 12));
    device.Line(previousX, previousY, x, y, kBlack);
    previousX = x;
    previousY = y;
  }
  device.Line(sx, cy + kSourceRadius, sx, y_ + 1040, kBlack);
  Ground(sx, y_ + 1040);
  x_ += 240;
}

void SchematicPrintout::Stage(int stage) {
  PrintDevice& device = *sheet_;
  if (stage == kFirstStageOfSecondRow) {
    x_ = kRowLeft;
    y_ = kSecondRowY;
  }
  if (stage > 1)
    device.Line(x_, y_ + 250, x_, y_, kBlack);  // the previous output back onto the signal line
  const auto& r = record_.R[static_cast<std::size_t>(stage)];
  const auto& c = record_.C[static_cast<std::size_t>(stage)];
  if (stage == 1 && record_.Order % 2 == 1) {
    SeriesResistor(r[1]);
    GroundedCapacitor(c[1]);
  }
  SeriesResistor(r[2]);
  FeedbackCapacitor(c[2]);
  SeriesResistor(r[3]);
  GroundedCapacitor(c[3]);
  FollowerAmplifier();
  x_ += kStageGap;
}

// Leads of 200, a zigzag of seven strokes 60 above and below the line, the value above it.
void SchematicPrintout::SeriesResistor(float ohms) {
  PrintDevice& device = *sheet_;
  device.Line(x_, y_, x_ + 200, y_, kBlack);
  float previousX = x_ + 200, previousY = y_;
  int side = -1;
  for (const float dx : {230.0f, 290.0f, 350.0f, 410.0f, 470.0f, 530.0f, 560.0f}) {
    const float y = dx == 560.0f ? y_ : y_ + 60 * static_cast<float>(side);
    device.Line(previousX, previousY, x_ + dx, y, kBlack);
    previousX = x_ + dx;
    previousY = y;
    side = -side;
  }
  device.Line(x_ + 560, y_, x_ + kResistorLength, y_, kBlack);
  print_text::PrintAt(device, x_ + 250, y_ - 300, FormatNum(ohms));
  x_ += kResistorLength;
}

void SchematicPrintout::GroundedCapacitor(float farads) {
  PrintDevice& device = *sheet_;
  Plates();
  device.Line(x_, y_ + kLowerPlate, x_, y_ + kGroundLead, kBlack);
  Ground(x_, y_ + kGroundLead);
  print_text::PrintAt(device, x_ - 300, y_ + 1300, FormatCap(farads));
}

// Hangs down to the feedback path at y + 1540, which the amplifier closes to its output.
void SchematicPrintout::FeedbackCapacitor(float farads) {
  PrintDevice& device = *sheet_;
  Plates();
  device.Line(x_, y_ + kLowerPlate, x_, y_ + kFeedbackLead, kBlack);
  print_text::PrintAt(device, x_ - 320, y_ + 1700, FormatCap(farads));
  feedbackX_ = x_;
}

// A capacitor's upper lead from the node at x_ and its two plates, with the node's dot.
void SchematicPrintout::Plates() {
  PrintDevice& device = *sheet_;
  Junction(x_, y_);
  device.Line(x_, y_, x_, y_ + kUpperPlate, kBlack);
  for (const float level : {kUpperPlate, kLowerPlate})
    device.Line(x_ - kPlateHalfWidth, y_ + level, x_ + kPlateHalfWidth, y_ + level, kBlack);
}

// The op-amp as a unity-gain follower, wired as on the page: + input on the signal line, -
// input looped down left of the triangle to the output node, and the feedback path from the
// stage's feedback capacitor up to the same node.
void SchematicPrintout::FollowerAmplifier() {
  PrintDevice& device = *sheet_;
  const float x = x_, y = y_, left = x + kOpAmpInput, tip = x + kOpAmpTip;
  device.Line(x, y, left, y, kBlack);
  device.Line(left, y + kTriangleTop, left, y + kTriangleBottom, kBlack);
  device.Line(left, y + kTriangleBottom, tip, y + kOutputLevel, kBlack);
  device.Line(tip, y + kOutputLevel, left, y + kTriangleTop, kBlack);
  Signs(left);
  device.Line(tip, y + kOutputLevel, x + kStageGap, y + kOutputLevel, kBlack);
  device.Line(left, y + kMinusInput, x + kLoopX, y + kMinusInput, kBlack);
  device.Line(x + kLoopX, y + kMinusInput, x + kLoopX, y + kLoopLevel, kBlack);
  device.Line(x + kLoopX, y + kLoopLevel, x + kOutputNode, y + kLoopLevel, kBlack);
  device.Line(x + kOutputNode, y + kOutputLevel, x + kOutputNode, y + kFeedbackLead, kBlack);
  device.Line(feedbackX_, y + kFeedbackLead, x + kOutputNode, y + kFeedbackLead, kBlack);
  Junction(x + kOutputNode, y + kOutputLevel);
  Junction(x + kOutputNode, y + kLoopLevel);
}

// + at the input on the signal line, - at the one below it.
void SchematicPrintout::Signs(float left) {
  PrintDevice& device = *sheet_;
  const float middle = left + (kSignLeft + kSignRight) / 2;
  device.Line(left + kSignLeft, y_, left + kSignRight, y_, kBlack);
  device.Line(middle, y_ - kSignHalfHeight, middle, y_ + kSignHalfHeight, kBlack);
  device.Line(left + kSignLeft, y_ + kMinusInput, left + kSignRight, y_ + kMinusInput, kBlack);
}

void SchematicPrintout::Junction(float x, float y) {
  sheet_->Box(x - kJunctionHalf, y - kJunctionHalf, x + kJunctionHalf, y + kJunctionHalf, kBlack,
              true);
}

void SchematicPrintout::Ground(float x, float y) {
  PrintDevice& device = *sheet_;
  device.Line(x - 150, y, x + 150, y, kBlack);
  device.Line(x - 95, y + 60, x + 95, y + 60, kBlack);
  device.Line(x - 40, y + 120, x + 40, y + 120, kBlack);
}

void SchematicPrintout::OutputLead() {
  PrintDevice& device = *sheet_;
  device.Line(x_, y_ + 250, x_ + 300, y_ + 250, kBlack);
  print_text::PrintAt(device, x_ + 360, y_ + 120, "Output");
}

}  // namespace kestro
