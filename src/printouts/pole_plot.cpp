// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/pole_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/eng_value.h"

namespace kestro {

namespace {

constexpr Rgb kPolarGrid{17, 17, 119};
constexpr Rgb kRectGrid{255, 153, 153};
constexpr Rgb kPoleDot{255, 0, 0};
constexpr Rgb kUnderText{255, 255, 255};
constexpr float kRayStart = 150;  // the rays leave the origin itself clear
constexpr int kDotWidth = 10;

double Radians(double degrees) {
  return 4.0 * std::atan(1.0) * degrees / 180.0;
}

std::string FamilyLine(int16_t family) {
  switch (family) {
    case kButterworth:
      return "Family:  Butterworth";
    case kChebyshev:
      return "Family:  Chebyshev";
    case kBessel:
      return "Family:  Bessel";
    default:
      return "Not a family !";
  }
}

}  // namespace

PolePlot::PolePlot(Canvas& canvas, const DesignRecord& record, const PoleList& poles,
                   int16_t poleScale)
    : canvas_(canvas),
      record_(record),
      poles_(poles),
      poleScale_(std::max<int16_t>(1, poleScale)) {}

int16_t PolePlot::PoleScaleFor(const DesignRecord& record, const PoleList& poles) {
  if (record.Family == kButterworth)
    return 1;
  float scale = 0;
  const int order = std::clamp<int>(record.Order, 0, kMaxPoleSlot);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(order); ++k) {
    if (poles.PoleY[k] > scale)
      scale = std::nearbyint(poles.PoleY[k]);  // half to even under the default rounding mode
    if (poles.PoleX[k] > scale)
      scale = std::nearbyint(poles.PoleX[k]);
  }
  return static_cast<int16_t>(std::max(1.0f, scale + 1));
}

float PolePlot::PageX(double re) const {
  return static_cast<float>(kOriginX + re * kRadius * PoleAspect / poleScale_);
}

float PolePlot::PageY(double im) const {
  return static_cast<float>(kOriginY - im * kRadius / poleScale_);
}

void PolePlot::Draw(bool rectangularGrid) {
  if (rectangularGrid)
    DrawRectGrid();
  DrawPolarGrid();
  ShowPoles();
}

void PolePlot::DrawPolarGrid() {
  canvas_.SetLineWidth(1);
  for (int degrees = -90; degrees <= 90; degrees += 10) {
    const double phi = Radians(degrees);
    const auto x = [phi](float r) {
      return static_cast<float>(kOriginX - PoleAspect * std::cos(phi) * r);
    };
    const auto y = [phi](float r) { return static_cast<float>(kOriginY - std::sin(phi) * r); };
    canvas_.Line(x(kRayStart), y(kRayStart), x(kRadius), y(kRadius), kPolarGrid);
  }
  for (int r = 0; r <= poleScale_; ++r) {
    for (int degrees = 90; degrees <= 270; ++degrees) {
      const double phi = Radians(degrees);
      canvas_.LineTo(PageX(r * std::cos(phi)), PageY(-r * std::sin(phi)), kPolarGrid);
    }
  }
}

void PolePlot::DrawRectGrid() {
  canvas_.SetLineWidth(1);
  const float end = static_cast<float>(poleScale_) + 0.001f;
  for (float k = 0; k <= end; k += 0.1f) {  // single-precision steps, as the grid always had
    const float x = PageX(-k);
    canvas_.Line(x, kOriginY - kRadius, x, kOriginY + kRadius, kRectGrid);
  }
  for (float k = -end; k <= end; k += 0.1f) {
    const float y = PageY(k);
    canvas_.Line(kOriginX - PoleAspect * kRadius, y, kOriginX, y, kRectGrid);
  }
}

void PolePlot::ShowPoles() {
  canvas_.SetLineWidth(kDotWidth);
  const int order = std::clamp<int>(record_.Order, 0, kMaxPoleSlot);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(order); ++k)
    canvas_.Point(PageX(poles_.PoleX[k]), PageY(poles_.PoleY[k]), kPoleDot);
  canvas_.SetLineWidth(1);  // the text positions are set by plain points
  ListPoles();
  ListDesign();
}

// X(k) shows the magnitude of the real part.
void PolePlot::ListPoles() {
  const int order = std::clamp<int>(record_.Order, 0, kMaxPoleSlot);
  for (int k = 1; k <= order; ++k) {
    const auto slot = static_cast<std::size_t>(k);
    const float y = static_cast<float>(300 * k + 500);
    const std::string number = std::to_string(k);
    PrintAt(canvas_, 8600, y, "X(" + number + "): " + FormatNum(-poles_.PoleX[slot]), kUnderText);
    PrintAt(canvas_, 10000, y, "Y(" + number + "): " + FormatNum(poles_.PoleY[slot]), kUnderText);
  }
}

void PolePlot::ListDesign() {
  const float m = static_cast<float>(std::clamp<int>(record_.Order, 0, kMaxPoleSlot) + 1);
  PrintAt(canvas_, 8600, 300 * m + 1100, FamilyLine(record_.Family), kUnderText);
  PrintAt(canvas_, 8600, 300 * m + 1400, "Order: " + std::to_string(record_.Order), kUnderText);
  PrintAt(canvas_, 8600, 300 * m + 1700, "Apass: " + PlainNumber(record_.Apass), kUnderText);
}

}  // namespace kestro
