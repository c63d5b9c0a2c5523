// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/three_pole_resistors.h"

#include <cmath>

namespace kestro {
namespace {

constexpr int kScanPoints = 160;  // trial R1 values, log-spaced over six decades
constexpr double kScanDecades = 6.0;
constexpr int kBisections = 80;  // halvings of the log-interval: far below float resolution

struct Trial {
  ThreeResistors r{};
  double mismatch = 0;    // R2 R3 over the product b3 asks for, less 1
  bool positive = false;  // every resistor above 0
  bool finite = false;
};

Trial TrialAt(const StageDenominator& t, double c1, double c2, double c3, double r1) {
  Trial trial;
  const double sum = (t.b1 - r1 * (c1 + c3)) / c3;    // R2 + R3
  const double product = t.b3 / (r1 * c1 * c2 * c3);  // R2 R3
  const double r3 = (t.b2 - r1 * sum * c1 * c3 - product * c2 * c3) / (r1 * c2 * c3);
  const double r2 = sum - r3;
  trial.r = {r1, r2, r3};
  trial.mismatch = r2 * r3 / product - 1.0;
  trial.finite = std::isfinite(trial.mismatch);
  trial.positive = trial.finite && sum > 0 && r2 > 0 && r3 > 0;
  return trial;
}

// Bisection on log R1 between two trials of opposite mismatch.
Trial Refine(const StageDenominator& t, double c1, double c2, double c3, double low, double high) {
  const double lowSign = TrialAt(t, c1, c2, c3, low).mismatch;
  for (int i = 0; i < kBisections; ++i) {
    const double mid = std::sqrt(low * high);
    if ((TrialAt(t, c1, c2, c3, mid).mismatch > 0) == (lowSign > 0)) {
      low = mid;
    } else {
      high = mid;
    }
  }
  return TrialAt(t, c1, c2, c3, std::sqrt(low * high));
}

}  // namespace

std::vector<ThreeResistors> SolveThreePoleResistors(const StageDenominator& target, double c1,
                                                    double c2, double c3) {
  std::vector<ThreeResistors> solutions;
  // R2 + R3 > 0 needs R1 below b1 / (C1 + C3); the scan ends there.
  const double top = target.b1 / (c1 + c3);
  double previous = top / std::pow(10.0, kScanDecades);
  Trial before = TrialAt(target, c1, c2, c3, previous);
  for (int i = 1; i <= kScanPoints; ++i) {
    const double r1 = top * std::pow(10.0, kScanDecades * (i - kScanPoints) / kScanPoints);
    const Trial now = TrialAt(target, c1, c2, c3, r1);
    // The mismatch is continuous in R1, so a change of sign holds a root; R2 may change sign
    // within the same step, so only the root itself must be positive.
    if (before.finite && now.finite && (before.mismatch > 0) != (now.mismatch > 0)) {
      const Trial root = Refine(target, c1, c2, c3, previous, r1);
      if (root.positive && std::abs(root.mismatch) < 1e-9)
        solutions.push_back(root.r);
    }
    previous = r1;
    before = now;
  }
  return solutions;
}

}  // namespace kestro
