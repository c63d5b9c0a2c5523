// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_mapping.h"

#include <cmath>

#include "analysis/analysis_point.h"
#include "plotpage/plot_palette.h"

namespace kestro {

const PlotMapping::LogAxis& PlotMapping::Axis() const {
  if (axis_.fstart != record_.Fstart || axis_.fstop != record_.Fstop) {
    axis_.fstart = record_.Fstart;
    axis_.fstop = record_.Fstop;
    axis_.low = std::log(static_cast<double>(record_.Fstart));
    axis_.span = std::log(static_cast<double>(record_.Fstop)) - axis_.low;
  }
  return axis_;
}

float PlotMapping::Position(float f) const {
  const LogAxis& axis = Axis();
  return static_cast<float>((std::log(static_cast<double>(f)) - axis.low) / axis.span);
}

float PlotMapping::X(float f) const {
  const LogAxis& axis = Axis();
  return static_cast<float>(
      plot::kBoxLeft + plot::kBoxWidth * (std::log(static_cast<double>(f)) - axis.low) / axis.span);
}

float PlotMapping::GainY(float dB) const {
  const double top = record_.dBtop;
  const double span = top - static_cast<double>(record_.dBbottom);
  return ClampY(static_cast<float>(plot::kBoxTop - plot::kBoxHeight * (dB - top) / span));
}

float PlotMapping::PhaseY(float degrees) const {
  const double middle = (plot::kBoxTop + plot::kBoxBottom) / 2.0;
  return ClampY(
      static_cast<float>(middle - plot::kBoxHeight * static_cast<double>(degrees) / 360.0));
}

float PlotMapping::DelayY(float seconds) const {
  const double top = record_.DelayTop;
  return ClampY(static_cast<float>(plot::kBoxTop - plot::kBoxHeight * (seconds - top) / top));
}

float PlotMapping::MarkerGainY(float dB) const {
  const double top = record_.dBtop;
  const double span = top - static_cast<double>(record_.dBbottom);
  return static_cast<float>(plot::kBoxTop + plot::kBoxHeight * (top - dB) / span);
}

float PlotMapping::MarkerDelayY(float seconds) const {
  const double top = record_.DelayTop;
  return static_cast<float>(plot::kBoxBottom - plot::kBoxHeight * seconds / top);
}

float PlotMapping::ClampY(float y) {
  if (std::isnan(y))
    return plot::kBoxBottom;  // a value without meaning lies on the floor
  if (y < plot::kBoxTop)
    return plot::kBoxTop;
  if (y > plot::kBoxBottom)
    return plot::kBoxBottom;
  return y;
}

float PlotMapping::ClampX(float x) {
  if (!(x > plot::kBoxLeft))
    return plot::kBoxLeft;
  return x > plot::kBoxRight ? plot::kBoxRight : x;
}

int PlotMapping::PointUnder(float x, int last) {
  return AnalysisPointAt((static_cast<double>(x) - plot::kBoxLeft) / plot::kBoxWidth, last);
}

bool PlotMapping::InsideBox(float x, float y) {
  return x >= plot::kBoxLeft && x <= plot::kBoxRight && y >= plot::kBoxTop && y <= plot::kBoxBottom;
}

}  // namespace kestro
