// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/stage_synthesis.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "synthesis/family_poles.h"

namespace kestro {
namespace {

bool IsSaneCap(float value) {
  return std::isfinite(value) && value > 0.0f;
}

bool StoreStage(DesignRecord& record, int stage, double c1, double c2, double c3) {
  const float values[3] = {static_cast<float>(c1), static_cast<float>(c2), static_cast<float>(c3)};
  for (const float value : values) {
    if (!IsSaneCap(value)) {
      return false;  // the stage keeps its floor values
    }
  }
  for (int k = 1; k <= 3; ++k) {
    record.C[stage][k] = values[k - 1];
  }
  return true;
}

// The three-pole stage is solved for the follower it is built with (K = 1) directly. Where that
// has no positive solution it falls back to the general search, which divides by K - 1 and so
// works with StageGain raised to 1.00001 (the smallest step that keeps it well defined).
constexpr double kThreePoleDesignGain = 1.00001f;

// --- Two-pole stage: closed form for the pair -sigma +/- j*omega ---

// With R1 = 0 the stage is H = K / (1 + ((R2 + R3) C3 + (1 - K) R2 C2) s + R2 R3 C2 C3 s^2)
// (Sallen and Key, 1955). With r = R3/R2 and m = C3/C2 (both dimensionless) it has
// w0 = 1 / (R2 C2 sqrt(r m)) and 1/Q = (1 + r) sqrt(m / r) + (1 - K) / sqrt(r m); solving the
// second for m gives the quadratic root below (m = (1/Q)^2 r / (1 + r)^2 at K = 1), and
// w0 = W |sigma + j omega| = W 2 sigma Q gives C2 (farads; W in rad/s, R2 in ohms).

bool DesignTwoPoleStage(DesignRecord& record, int stage, double sigma, double omega, double w) {
  const double r2 = record.R[stage][2];
  const double r = record.R[stage][3] / r2;
  const double k = record.StageGain[stage];
  const double invQ = 2.0 / std::sqrt(1.0 + (omega / sigma) * (omega / sigma));
  const double a = invQ * invQ * r / ((1.0 + r) * (1.0 + r));
  const double b = (k - 1.0) / (1.0 + r);
  const double m = 0.5 * a + b + 0.5 * std::sqrt((2.0 * b + a) * (2.0 * b + a) - 4.0 * b * b);
  const double c2 = invQ / (2.0 * r2 * std::sqrt(m * r) * sigma * w);
  return StoreStage(record, stage, kCapacitorFloor, c2, m * c2);
}

// --- Three-pole stage: real pole sigma0 with the pair -sigma1 +/- j*omega1 ---

// The target cubic (s + sigma0)(s^2 + 2 sigma1 s + |sigma1 + j omega1|^2), in s/sigma0 and then
// in p = s / (sigma0 P^(1/3)) with P = |sigma1 + j omega1|^2 / sigma0^2, is proportional to
// p^3 + c2 p^2 + c1 p + 1 with c2 = (2 sigma1/sigma0 + 1) / P^(1/3) and
// c1 = (2 sigma1/sigma0 + P) / P^(2/3). All of it is dimensionless, as are the resistor ratios
// rho2 = R2/R1, rho3 = R3/R1 and the amplifier gain k.
struct ThreePoleTarget {
  double c1 = 0;
  double c2 = 0;
  double rho2 = 0;
  double rho3 = 0;
  double k = 0;
};

// The stage denominator 1 + b1 s + b2 s^2 + b3 s^3 (see the response engine), written with
// y = C3/C1, z = C2/C1, S = 1 + rho2 + rho3 and x = R1 C1 / T, where T = 1/(W sigma0 P^(1/3))
// (seconds) is the time scale of p, must equal the cubic above term by term:
//   (b1) x (1 + S y - (k - 1)(1 + rho2) z)                          = c1
//   (b2) x^2 ((rho2 + rho3) y + ((1 + rho2) rho3 y - (k - 1) rho2) z) = c2
//   (b3) x^3 rho2 rho3 y z                                           = 1
// For a trial x, z taken from (b1) turns (b2) into bigA y^2 + (a + b) y + cq = 0, whose larger
// root is y1; z taken from (b3) turns (b1) into y^2 + b2 y + c2q = 0, whose larger root is y2.
// At the x where y1 = y2 all three hold. (b1) solved for z divides by k - 1: hence the working
// gain 1.00001 for this stage.
// The two candidate capacitor ratios C3/C1 at the trial value x.
struct Candidates {
  double y1 = 0;
  double y2 = 0;
};

Candidates CandidatesAt(const ThreePoleTarget& t, double x) {
  const double km1 = t.k - 1.0;
  const double sum = 1.0 + t.rho2 + t.rho3;
  const double x2 = x * x;
  const double x3 = x2 * x;
  const double a =
      x3 * (t.rho2 + t.rho3) * (1.0 + t.rho2) * km1 - x2 * t.c1 * t.rho3 * (1.0 + t.rho2);
  const double b = x3 * ((1.0 + t.rho2) * t.rho3 - sum * t.rho2 * km1);
  const double bigA = x3 * (1.0 + t.rho2) * t.rho3 * sum;
  const double cq = -t.c2 * x * (1.0 + t.rho2) * km1 + x2 * t.c1 * t.rho2 * km1 - x3 * t.rho2 * km1;
  const double ab = (a + b) / bigA;
  Candidates result;
  result.y1 = -0.5 * ab + 0.5 * std::sqrt(ab * ab - 4.0 * cq / bigA);
  const double b2 = (x - t.c1) / (x * sum);
  const double c2q = -(1.0 + t.rho2) * km1 / (x3 * t.rho2 * t.rho3 * sum);
  result.y2 = -0.5 * b2 + 0.5 * std::sqrt(b2 * b2 - 4.0 * c2q);
  return result;
}

// Coarse-to-fine descending search for the x where y1 = y2. From x = 10 (where f <= 0) x is
// multiplied by 0.91 until f > 0, then backed off by 1.1 and searched again with 0.991, and so
// on down to 0.999991 (a relative step of 9e-6 in x at the end). x = 10 starts above the root of
// every design the families give (R1 C1 is of the order of T). Each level is bounded; a
// non-finite f, or an x below 1e-30 (capacitor ratios far outside any part), is a failure.
std::optional<double> SearchThreePoleX(const ThreePoleTarget& t) {
  constexpr double kFactors[5] = {0.91, 0.991, 0.9991, 0.99991, 0.999991};
  constexpr double kBackoffs[5] = {1.0, 1.1, 1.01, 1.001, 1.0001};
  // A level needs a few dozen steps after its back-off; 5000 steps of 0.91 pass x = 1e-30 first.
  constexpr int kMaxStepsPerLevel = 5000;
  const Candidates start = CandidatesAt(t, 10.0);
  const double sign = (start.y2 <= start.y1) ? 1.0 : -1.0;
  double x = 10.0;
  for (int level = 0; level < 5; ++level) {
    x *= kBackoffs[level];
    double f = 0.0;
    int steps = 0;
    do {
      x *= kFactors[level];
      const Candidates at = CandidatesAt(t, x);
      f = sign * (at.y2 - at.y1);
      if (!std::isfinite(f) || !(x > 1e-30) || ++steps > kMaxStepsPerLevel) {
        return std::nullopt;
      }
    } while (f <= 0.0);
  }
  return x;
}

// At K = 1 the equations (b1)..(b3) above separate: (b1) gives y = (c1 / x - 1) / S, (b3) gives
// z = 1 / (x^3 rho2 rho3 y), and (b2) becomes, times x, the cubic
//   g(x) = beta - c2 x + alpha x^2 (c1 - x) = 0,  alpha = (rho2 + rho3) / S,
//   beta = (1 + rho2) / rho2,
// with a positive y only for 0 < x < c1. g(0) = beta > 0. The largest root below c1 and below
// 10 (the one the general search, descending from x = 10, meets first; larger x mean capacitor
// ratios far outside any part) is bracketed by a descending scan in steps of 1 % and refined by
// bisection to the resolution of a double.
double FollowerCubic(const ThreePoleTarget& t, double x) {
  const double sum = 1.0 + t.rho2 + t.rho3;
  const double alpha = (t.rho2 + t.rho3) / sum;
  const double beta = (1.0 + t.rho2) / t.rho2;
  return beta - t.c2 * x + alpha * x * x * (t.c1 - x);
}

std::optional<double> SolveFollowerX(const ThreePoleTarget& t) {
  if (!(t.c1 > 0.0) || !std::isfinite(t.c1)) {
    return std::nullopt;
  }
  constexpr double kStep = 0.99;
  constexpr int kScanSteps = 5000;  // down to c1 * 1.5e-22
  constexpr double kLargestX = 10.0;
  double high = std::min(t.c1, kLargestX);
  double low = high * kStep;
  for (int i = 0; i < kScanSteps && !(FollowerCubic(t, low) > 0.0); ++i) {
    high = low;
    low *= kStep;
  }
  if (!(FollowerCubic(t, low) > 0.0) || !(FollowerCubic(t, high) <= 0.0)) {
    return std::nullopt;  // g stays positive below c1: no positive solution
  }
  for (int i = 0; i < 200 && low < high; ++i) {
    const double middle = 0.5 * (low + high);
    if (middle <= low || middle >= high) {
      break;
    }
    (FollowerCubic(t, middle) > 0.0 ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

// The capacitors from x and the ratios y = C3/C1, z = C2/C1: C1 = x T / R1 (farads).
bool StoreThreePoleStage(DesignRecord& record, double c1, double y, double z) {
  return StoreStage(record, 1, c1, z * c1, y * c1);
}

// The general search at the working gain, where the follower's equations have no positive root.
bool DesignThreePoleBySearch(DesignRecord& record, ThreePoleTarget t, double timeScale) {
  t.k = std::max(static_cast<double>(record.StageGain[1]), kThreePoleDesignGain);
  const std::optional<double> x = SearchThreePoleX(t);
  if (!x) {
    return false;
  }
  // z from (b2), then q = (rho2 rho3 y z)^(1/3) = 1/x by (b3), and C1 = T / (R1 q).
  const double x2 = *x * *x;
  const double y1 = CandidatesAt(t, *x).y1;
  const double z = (t.c2 - x2 * y1 * (t.rho2 + t.rho3)) /
                   (x2 * (t.rho3 * y1 * (1.0 + t.rho2) - (t.k - 1.0) * t.rho2));
  const double q = std::exp(std::log(z * y1 * t.rho2 * t.rho3) / 3.0);
  return StoreThreePoleStage(record, timeScale / (record.R[1][1] * q), y1, z);
}

bool DesignThreePoleStage(DesignRecord& record, double w) {
  const double sigma0 = record.PoleRe[1];
  const double sigma1 = record.PoleRe[2];
  const double omega1 = record.PoleIm[1];
  const double ratio = omega1 / sigma1;
  const double p = (sigma1 / sigma0) * (sigma1 / sigma0) * (ratio * ratio + 1.0);
  const double cbrtP = std::exp(std::log(p) / 3.0);
  ThreePoleTarget t;
  t.c1 = (2.0 * sigma1 / sigma0 + p) / (cbrtP * cbrtP);
  t.c2 = (2.0 * sigma1 / sigma0 + 1.0) / cbrtP;
  const double r1 = record.R[1][1];
  t.rho2 = record.R[1][2] / r1;
  t.rho3 = record.R[1][3] / r1;
  t.k = 1.0;
  if (!std::isfinite(t.c1) || !std::isfinite(t.c2) || !std::isfinite(t.rho2 * t.rho3)) {
    return false;
  }
  const double timeScale = 1.0 / (w * cbrtP * sigma0);  // T, seconds
  const std::optional<double> x = SolveFollowerX(t);
  if (!x) {
    return DesignThreePoleBySearch(record, t, timeScale);
  }
  const double sum = 1.0 + t.rho2 + t.rho3;
  const double y = (t.c1 / *x - 1.0) / sum;
  const double z = 1.0 / (*x * *x * *x * t.rho2 * t.rho3 * y);
  return StoreThreePoleStage(record, *x * timeScale / r1, y, z);
}

void ResetStages(DesignRecord& record) {
  for (int s = 0; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k) {
      record.C[s][k] = kCapacitorFloor;
    }
    record.StageGain[s] = 1.0f;
    record.R[s][4] = 1e-5f;  // ohms: the amplifier pair every file carries; K = 1 + R4/R5
    record.R[s][5] = 1.0f;
  }
  record.Pi = static_cast<float>(4.0 * std::atan(1.0));
}

bool DesignAllStages(DesignRecord& record) {
  const int n = record.Order;
  if (n < 2 || n > kMaxDesignOrder) {
    return false;
  }
  const double w = 2.0 * record.Pi * record.Bandwidth;  // rad/s
  const bool odd = (n % 2) == 1;
  if (odd && !DesignThreePoleStage(record, w)) {
    return false;
  }
  for (int s = odd ? 2 : 1; s <= n / 2; ++s) {
    const double sigma = odd ? record.PoleRe[s + 1] : record.PoleRe[s];
    if (!DesignTwoPoleStage(record, s, sigma, record.PoleIm[s], w)) {
      return false;
    }
  }
  return true;
}

}  // namespace

void CountStages(DesignRecord& record) {
  record.NrStages = StagesForOrder(record.Order);
}

// The steps keep the solved capacitors between about 1 nF and 100 nF over each band.
void ChooseRnom(DesignRecord& record) {
  const float bw = record.Bandwidth;
  if (bw < 50) {
    record.Rnom = 1000000;
  } else if (bw < 100) {
    record.Rnom = 470000;
  } else if (bw < 200) {
    record.Rnom = 220000;
  } else if (bw < 500) {
    record.Rnom = 100000;
  } else if (bw <= 1000) {
    record.Rnom = 47000;
  } else if (bw <= 2000) {
    record.Rnom = 22000;
  } else if (bw <= 5000) {
    record.Rnom = 10000;
  } else {
    record.Rnom = 4700;
  }
}

void AssignResistors(DesignRecord& record) {
  for (int s = 1; s <= kMaxStage; ++s) {
    record.R[s][1] = 0.0f;
    record.R[s][2] = 0.0f;
    record.R[s][3] = 0.0f;
  }
  const int stages = StageCount(record);
  for (int s = 1; s <= stages; ++s) {
    record.R[s][2] = record.Rnom;
    record.R[s][3] = record.Rnom;
    record.R[s][4] = record.Rnom * 1e-5f;  // replaced by ComputeCaps
    record.R[s][5] = record.Rnom;
  }
  record.R[1][1] = (record.Order % 2 != 0) ? record.Rnom : 0.0f;
}

bool ComputeCaps(DesignRecord& record) {
  ResetStages(record);
  return DesignAllStages(record);
}

bool SynthesizeFamilyDesign(DesignRecord& record) {
  CountStages(record);
  ChooseRnom(record);
  AssignResistors(record);
  ComputeFamilyPoles(record);
  return ComputeCaps(record);
}

}  // namespace kestro
