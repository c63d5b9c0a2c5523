#include "synthesis/stage_synthesis.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

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

// Every amplifier is evaluated with K = 1 + R4/R5 = 1.00001, so each stage is designed for that
// gain (a working copy of StageGain raised to it). Designing a two-pole stage for K = 1 instead
// would lower its damping by 2e-5 * Q^2 in the analysis: several dB of error for the high-Q
// stages of large-ripple Chebyshev designs.
constexpr double kAmplifierGain = 1.00001f;

double DesignGain(const DesignRecord& record, int stage) {
  return std::max(static_cast<double>(record.StageGain[stage]), kAmplifierGain);
}

// --- Two-pole stage: closed form for the pair -sigma +/- j*omega ---

bool DesignTwoPoleStage(DesignRecord& record, int stage, double sigma, double omega, double w) {
  const double r2 = record.R[stage][2];
  const double r = record.R[stage][3] / r2;
  const double k = DesignGain(record, stage);
  const double invQ = 2.0 / std::sqrt(1.0 + (omega / sigma) * (omega / sigma));
  const double a = invQ * invQ * r / ((1.0 + r) * (1.0 + r));
  const double b = (k - 1.0) / (1.0 + r);
  const double m = 0.5 * a + b + 0.5 * std::sqrt((2.0 * b + a) * (2.0 * b + a) - 4.0 * b * b);
  const double c2 = invQ / (2.0 * r2 * std::sqrt(m * r) * sigma * w);
  return StoreStage(record, stage, kCapacitorFloor, c2, m * c2);
}

// --- Three-pole stage: real pole sigma0 with the pair -sigma1 +/- j*omega1 ---

// The section's denominator y^3 + c2*y^2 + c1*y + 1 (real pole scaled to 1, then constant term
// to 1), the resistor ratios rho2 = R2/R1, rho3 = R3/R1 and the amplifier gain k.
struct ThreePoleTarget {
  double c1 = 0;
  double c2 = 0;
  double rho2 = 0;
  double rho3 = 0;
  double k = 0;
};

// The two candidate capacitor ratios C3/C1 at the trial value x; the wanted x makes them equal.
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
// on down to 0.999991. Each level is bounded; a non-finite f or an x that leaves the positive
// finite numbers is a failure.
std::optional<double> SearchThreePoleX(const ThreePoleTarget& t) {
  constexpr double kFactors[5] = {0.91, 0.991, 0.9991, 0.99991, 0.999991};
  constexpr double kBackoffs[5] = {1.0, 1.1, 1.01, 1.001, 1.0001};
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
  t.k = DesignGain(record, 1);
  if (!std::isfinite(t.c1) || !std::isfinite(t.c2) || !std::isfinite(t.rho2 * t.rho3)) {
    return false;
  }
  const std::optional<double> x = SearchThreePoleX(t);
  if (!x) {
    return false;
  }
  const double x2 = *x * *x;
  const double y1 = CandidatesAt(t, *x).y1;
  const double z = (t.c2 - x2 * y1 * (t.rho2 + t.rho3)) /
                   (x2 * (t.rho3 * y1 * (1.0 + t.rho2) - (t.k - 1.0) * t.rho2));
  const double q = std::exp(std::log(z * y1 * t.rho2 * t.rho3) / 3.0);
  const double c1 = 1.0 / (w * r1 * q * cbrtP * sigma0);
  return StoreStage(record, 1, c1, z * c1, y1 * c1);
}

void ResetStages(DesignRecord& record) {
  for (int s = 0; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k) {
      record.C[s][k] = kCapacitorFloor;
    }
    record.StageGain[s] = 1.0f;
    record.R[s][4] = 1e-5f;
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

bool ComputeCaps(DesignRecord& record, Dialogs& dialogs) {
  ResetStages(record);
  if (DesignAllStages(record)) {
    return true;
  }
  dialogs.Message(std::string(kComputeCapsError));
  return false;
}

bool SynthesizeFamilyDesign(DesignRecord& record, Dialogs& dialogs) {
  CountStages(record);
  ChooseRnom(record);
  AssignResistors(record);
  ComputeFamilyPoles(record);
  return ComputeCaps(record, dialogs);
}

}  // namespace kestro
