// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/stage_figures.h"

#include <algorithm>
#include <cmath>

#include "analysis/stage_polynomial.h"

namespace kestro {
namespace {

constexpr double kTwoPi = 6.283185307179586477;

// The follower's denominator 1 + b1 s + b2 s^2 + b3 s^3 split into (1 + s / p)(1 + s / (w0 Q) +
// s^2 / w0^2): p (rad/s) is its real root -p, found by bisection of
// 1 - b1 x + b2 x^2 - b3 x^3 on x > 0, scaled by t = b3^(1/3) so the bracket is of order one.
double RealRoot(const StagePolynomial& d) {
  const double t = std::cbrt(d.a3);
  const double c1 = d.a1 / t;
  const double c2 = d.a2 / (t * t);
  const auto value = [&](double u) { return 1.0 - c1 * u + c2 * u * u - u * u * u; };
  double low = 0;
  double high = 1.0 + std::max({std::abs(c1), std::abs(c2), 1.0});  // beyond every root
  for (int i = 0; i < 200; ++i) {
    const double middle = 0.5 * (low + high);
    if (middle <= low || middle >= high) {
      break;
    }
    (value(middle) > 0.0 ? low : high) = middle;
  }
  return 0.5 * (low + high) / t;
}

// f0 and Q of the pair 1 + q1 s + q2 s^2.
void SetPair(StageFigures& figures, double q1, double q2) {
  if (!(q1 > 0.0) || !(q2 > 0.0) || !std::isfinite(q1 + q2)) {
    return;
  }
  figures.f0Hz = 1.0 / (kTwoPi * std::sqrt(q2));
  figures.q = std::sqrt(q2) / q1;
}

StageFigures FiguresOf(const DesignRecord& record, int stage) {
  const StagePolynomial d = StagePolynomialOf(record, stage, 0.0);
  StageFigures figures;
  figures.stage = stage;
  figures.threePole = d.a3 > 0.0 && std::isfinite(d.a3);
  if (!figures.threePole) {
    SetPair(figures, d.a1, d.a2);
    return figures;
  }
  // (1 + s / p)(1 + q1 s + q2 s^2) = 1 + (q1 + 1/p) s + (q2 + q1/p) s^2 + (q2/p) s^3
  const double p = RealRoot(d);
  figures.realPoleHz = p / kTwoPi;
  SetPair(figures, d.a1 - 1.0 / p, d.a3 * p);
  return figures;
}

// Frequencies (rad/s) from f0 / 100 to 3 f0, spaced closely enough to resolve a pair's
// resonance (relative width 1/Q): a step of 1 % or 0.1 / Q in the logarithm, whichever is finer.
std::vector<double> CheckFrequencies(double f0Hz, double q) {
  const double step = std::min(0.01, 0.1 / std::clamp(q, 1.0, 1000.0));
  const double first = std::log(kTwoPi * f0Hz / 100.0);
  const double last = std::log(kTwoPi * f0Hz * 3.0);
  std::vector<double> omegas;
  for (double x = first; x < last; x += step) {
    omegas.push_back(std::exp(x));
  }
  omegas.push_back(std::exp(last));
  return omegas;
}

bool WithinTolerance(const DesignRecord& record, int stage, double gbw,
                     const std::vector<double>& omegas, const std::vector<double>& ideal,
                     double toleranceDb) {
  const StagePolynomial d = StagePolynomialOf(record, stage, 1.0 / (kTwoPi * gbw));
  for (std::size_t i = 0; i < omegas.size(); ++i) {
    if (!(std::abs(StageGainDb(d, omegas[i]) - ideal[i]) <= toleranceDb)) {
      return false;
    }
  }
  return true;
}

}  // namespace

double NeededGbw(const DesignRecord& record, int stage, double f0Hz, double q, double toleranceDb) {
  if (!(f0Hz > 0.0) || !std::isfinite(f0Hz)) {
    return 0.0;
  }
  const std::vector<double> omegas = CheckFrequencies(f0Hz, q);
  std::vector<double> ideal;
  ideal.reserve(omegas.size());
  const StagePolynomial follower = StagePolynomialOf(record, stage, 0.0);
  for (const double omega : omegas) {
    ideal.push_back(StageGainDb(follower, omega));
  }
  const auto passes = [&](double gbw) {
    return WithinTolerance(record, stage, gbw, omegas, ideal, toleranceDb);
  };
  // Bracket [low fails, high passes] by factors of 2, then bisect the logarithm.
  constexpr double kLargestGbw = 1e18;  // Hz: beyond any amplifier
  double high = 10.0 * f0Hz;
  while (!passes(high) && high < kLargestGbw) {
    high *= 2.0;
  }
  double low = high / 2.0;
  while (passes(low) && low > f0Hz * 1e-6) {
    high = low;
    low /= 2.0;
  }
  for (int i = 0; i < 40; ++i) {
    const double middle = std::sqrt(low * high);
    (passes(middle) ? high : low) = middle;
  }
  return high;
}

std::vector<StageFigures> ComputeStageFigures(const DesignRecord& record) {
  std::vector<StageFigures> all;
  const int stages = StageCount(record);
  const double gbw = record.OpampGbw;
  for (int s = 1; s <= stages; ++s) {
    StageFigures figures = FiguresOf(record, s);
    figures.neededGbwHz = NeededGbw(record, s, figures.f0Hz, figures.q);
    if (gbw > 0.0 && std::isfinite(gbw) && figures.neededGbwHz > 0.0) {
      figures.margin = gbw / figures.neededGbwHz;
    }
    all.push_back(figures);
  }
  return all;
}

OpampFigures ComputeOpampFigures(const DesignRecord& record) {
  OpampFigures figures;
  const double slew = record.OpampSlewRate;  // V/us
  const double amplitude = record.OpampAmplitude;
  if (slew > 0.0 && amplitude > 0.0 && std::isfinite(slew * amplitude)) {
    figures.fullPowerBandwidthHz = slew * 1e6 / (kTwoPi * amplitude);
    figures.fullPowerBelowBandwidth = *figures.fullPowerBandwidthHz < record.Bandwidth;
  }
  return figures;
}

}  // namespace kestro
