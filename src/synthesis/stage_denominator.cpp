// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/stage_denominator.h"

#include <algorithm>
#include <cmath>

namespace kestro {
namespace {

constexpr int kDeviationPoints = 40;
constexpr double kLowestFraction = 0.1;  // of the natural frequency
constexpr double kHighestMultiple = 5.0;

// |D(j w)|^2
double MagnitudeSquared(const StageDenominator& d, double w) {
  const double re = 1.0 - d.b2 * w * w;
  const double im = d.b1 * w - d.b3 * w * w * w;
  return re * re + im * im;
}

}  // namespace

StageDenominator StageDenominator::ForPair(double sigma, double omega, double w) {
  const double p2 = sigma * sigma + omega * omega;  // |p|^2
  return {2.0 * sigma / (p2 * w), 1.0 / (p2 * w * w), 0.0};
}

StageDenominator StageDenominator::ForThreePoles(double sigma0, double sigma1, double omega1,
                                                 double w) {
  const double p2 = sigma1 * sigma1 + omega1 * omega1;
  return {(1.0 / sigma0 + 2.0 * sigma1 / p2) / w, (2.0 * sigma1 / sigma0 + 1.0) / (p2 * w * w),
          1.0 / (sigma0 * p2 * w * w * w)};
}

StageDenominator StageDenominator::OfParts(const std::array<double, 3>& r,
                                           const std::array<double, 3>& c) {
  return {r[0] * (c[0] + c[2]) + (r[1] + r[2]) * c[2],
          r[0] * (r[1] + r[2]) * c[0] * c[2] + (r[0] + r[1]) * r[2] * c[1] * c[2],
          r[0] * r[1] * r[2] * c[0] * c[1] * c[2]};
}

double StageDenominator::DeviationDb(const StageDenominator& other) const {
  const double natural = b3 > 0 ? std::cbrt(1.0 / b3) : std::sqrt(1.0 / b2);  // rad/s
  const double step = std::pow(kHighestMultiple / kLowestFraction, 1.0 / (kDeviationPoints - 1));
  double w = natural * kLowestFraction;
  double worst = 0;
  for (int i = 0; i < kDeviationPoints; ++i, w *= step) {
    const double ratio = MagnitudeSquared(other, w) / MagnitudeSquared(*this, w);
    worst = std::max(worst, std::abs(10.0 * std::log10(ratio)));
  }
  return worst;
}

}  // namespace kestro
