#include "analysis/response_engine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kestro {
namespace {

// Degrees per radian with pi rounded to 3.14159, the factor every stored phase was made with.
constexpr float kDegreesPerRadian = 180.0f / 3.14159f;
constexpr float kLargestSingle = std::numeric_limits<float>::max();
// 2 pi to eight digits (rad per cycle): Omega as the record has always held it.
constexpr float kRadiansPerCycle = 6.2831853f;

// One stage as H = K / (1 + b1*s + b2*s^2 + b3*s^3), from the node equations of the network
// (s in rad/s, b1 in s, b2 in s^2, b3 in s^3):
//   b1 = R1 C1 + (R1 + R2 + R3) C3 + (1 - K)(R1 + R2) C2
//   b2 = R1 (R2 + R3) C1 C3 + (R1 + R2) R3 C2 C3 + (1 - K) R1 R2 C1 C2
//   b3 = R1 R2 R3 C1 C2 C3
// Every amplifier is the unity-gain follower the schematic draws and the LTspice file wires, so
// K = 1 and the (1 - K) terms vanish; the R4/R5 pair of the record is not evaluated. (A gain of
// 1 + R4/R5 = 1.00001 would lower the damping of a high-Q stage by 2e-5 Q^2: 0.3 dB at order
// 11 with 3 dB ripple.) A C1 of 0 or less is an open circuit. Coefficients in double so that no
// product of single parts overflows.
struct StageCoefficients {
  double b1 = 0;
  double b2 = 0;
  double b3 = 0;
};

StageCoefficients CoefficientsOf(const std::array<float, 6>& r, const std::array<float, 4>& c) {
  const double r1 = r[1];
  const double r2 = r[2];
  const double r3 = r[3];
  const double c1 = c[1] > 0.0f ? c[1] : 0.0;
  const double c2 = c[2];
  const double c3 = c[3];
  StageCoefficients out;
  out.b1 = r1 * c1 + (r1 + r2 + r3) * c3;
  out.b2 = r1 * (r2 + r3) * c1 * c3 + (r1 + r2) * r3 * c2 * c3;
  out.b3 = r1 * r2 * r3 * c1 * c2 * c3;
  return out;
}

// The stages of the record, prepared once for a sweep.
struct Cascade {
  int stages = 0;
  std::array<StageCoefficients, kMaxStage + 1> stage{};
};

// Recomputes NrStages from Order and resets R4 = 1e-5, R5 = 1 in every stage used, as the
// record has always carried them (files hold them byte for byte).
Cascade PrepareCascade(DesignRecord& record) {
  record.NrStages = StagesForOrder(record.Order);
  Cascade cascade;
  cascade.stages = StageCount(record);
  for (int s = 1; s <= cascade.stages; ++s) {
    record.R[s][4] = 1e-5f;
    record.R[s][5] = 1.0f;
    cascade.stage[s] = CoefficientsOf(record.R[s], record.C[s]);
  }
  return cascade;
}

// Gain (dB) of 1/|D|, held as a single; magnitudes beyond the single range (hundreds of dB,
// extreme hand-entered parts) take the double path instead of overflowing.
float GainDb(double denominator) {
  if (denominator > 1e-30 && denominator < 1e30) {  // +-600 dB: well inside the single range
    return -20.0f * std::log10(static_cast<float>(denominator));
  }
  return static_cast<float>(-20.0 * std::log10(denominator));
}

// H = 1 / D at s = j*omega as its gain in dB and its direction (re, im), the unit vector of
// conj(D) held as singles: finite for any finite parts, however far H is from 1.
struct StageResponse {
  float re = 0;
  float im = 0;
  float gainDb = 0;
};

StageResponse EvaluateStage(const StageCoefficients& b, double omega) {
  const double dRe = 1.0 - b.b2 * omega * omega;
  const double dIm = b.b1 * omega - b.b3 * omega * omega * omega;
  // |D| without overflow for any single parts (b3 omega^3 stays below 1e255); a D of exactly 0
  // (a lossless stage at its resonance) counts as the smallest double, a finite +6000 dB.
  const double mag = std::max(std::hypot(dRe, dIm), std::numeric_limits<double>::min());
  StageResponse out;
  out.re = static_cast<float>(dRe / mag);
  out.im = static_cast<float>(-dIm / mag);
  out.gainDb = GainDb(mag);
  return out;
}

// Stage phase in degrees from the quadrant of H, with the factor 180/3.14159.
float StagePhase(float re, float im) {
  if (re > 0.0f) {
    return std::atan(im / re) * kDegreesPerRadian;
  }
  if (re < 0.0f) {
    return std::atan(im / re) * kDegreesPerRadian + 180.0f;
  }
  if (im > 0.0f) {
    return 90.0f;
  }
  return im < 0.0f ? -90.0f : 0.0f;
}

float WrapPhase(float phase) {
  if (!std::isfinite(phase)) {
    return phase;
  }
  while (phase < -180.0f) {
    phase += 360.0f;
  }
  while (phase > 180.0f) {
    phase -= 360.0f;
  }
  return phase;
}

// Gain (dB) and wrapped phase (degrees) of the cascade at omega rad/s: the sums over the stages.
void EvaluateCascade(const Cascade& cascade, float omega, float& gain, float& phase) {
  gain = 0.0f;
  phase = 0.0f;
  for (int s = 1; s <= cascade.stages; ++s) {
    const StageResponse h = EvaluateStage(cascade.stage[s], omega);
    gain += h.gainDb;
    phase += StagePhase(h.re, h.im);
  }
  phase = WrapPhase(phase);
}

// Delay beyond the last point counts as zero (the spare array element may hold an old value).
float DelayOrZero(const DesignRecord& record, int i, int n) {
  return i <= n ? record.Delay[i] : 0.0f;
}

void FillFrequencies(DesignRecord& record, int n) {
  const double lnStart = std::log(static_cast<double>(record.Fstart));
  const double lnStop = std::log(static_cast<double>(record.Fstop));
  for (int i = 0; i <= n; ++i) {
    record.Freq[i] = static_cast<float>(std::exp(lnStart + (lnStop - lnStart) * i / n));
  }
}

// Gain and phase at every point; the delay from the phase step to the previous point
// ((phase drop in turns) / (frequency step)), 0 where the step is not positive.
// A delay or its extrapolation held within the single range: two points closer than the
// frequency resolution of a single give 0 (no slope measured), a huge slope the largest single.
float DelayWithinSingle(double seconds) {
  if (!(seconds > 0.0)) {
    return 0.0f;
  }
  return static_cast<float>(std::min(seconds, static_cast<double>(kLargestSingle)));
}

void FillResponse(DesignRecord& record, int n) {
  const Cascade cascade = PrepareCascade(record);
  float previousFreq = 0.0f;
  float previousPhase = 0.0f;
  for (int i = 0; i <= n; ++i) {
    record.Omega = kRadiansPerCycle * record.Freq[i];  // as ResponseAt(Freq[i])
    EvaluateCascade(cascade, record.Omega, record.GainAt, record.PhaseAt);
    record.Gain[i] = record.GainAt;
    record.Phase[i] = record.PhaseAt;
    const double step = static_cast<double>(record.Freq[i]) - previousFreq;  // Hz
    const double d = step > 0.0 ? (previousPhase - record.PhaseAt) / (360.0 * step) : 0.0;
    record.Delay[i] = i > 0 ? DelayWithinSingle(d) : 0.0f;
    previousFreq = record.Freq[i];
    previousPhase = record.PhaseAt;
  }
}

// Point 0 is extrapolated from points 1 and 2; a zero delay (a phase wrap) is interpolated from
// the already repaired left neighbour and the right one.
void RepairDelay(DesignRecord& record, int n) {
  const double extrapolated = 2.0 * DelayOrZero(record, 1, n) - DelayOrZero(record, 2, n);
  record.Delay[0] = static_cast<float>(std::min(extrapolated, static_cast<double>(kLargestSingle)));
  for (int i = 1; i <= n; ++i) {
    if (record.Delay[i] == 0.0f) {
      record.Delay[i] = 0.5f * DelayOrZero(record, i + 1, n) + 0.5f * record.Delay[i - 1];
    }
  }
}

bool IsPositiveFinite(float value) {
  return std::isfinite(value) && value > 0.0f;
}

}  // namespace

void ResponseAt(DesignRecord& record, float f, float& gain, float& phase) {
  record.Omega = kRadiansPerCycle * f;
  EvaluateCascade(PrepareCascade(record), record.Omega, gain, phase);
}

int AnalysisIntervals(const DesignRecord& record) {
  if (record.Nints <= 0 || !IsPositiveFinite(record.Fstart) || !IsPositiveFinite(record.Fstop) ||
      !(record.Fstop > record.Fstart)) {
    return 0;
  }
  return std::min<int>(record.Nints, kMaxNints);
}

void Analyze(DesignRecord& record) {
  record.FreqAxisMode = 2;
  const int n = AnalysisIntervals(record);
  if (n == 0) {
    return;
  }
  FillFrequencies(record, n);
  FillResponse(record, n);
  RepairDelay(record, n);
}

void ComputeGridFreqs(DesignRecord& record) {
  constexpr float kMultipliers[10] = {1, 1.5f, 2, 3, 4, 5, 6, 7, 8, 9};
  record.NrGridFreqs = -1;
  const float limit = record.Fstop * 1.0001f;
  if (!(limit >= 0.001f)) {  // also stops for a NaN Fstop
    return;
  }
  float decade = 0.001f;
  while (std::isfinite(decade)) {
    for (int m = 0; m < 10; ++m) {
      const float v = decade * kMultipliers[m];
      if (m > 0 && v > limit) {
        return;
      }
      if (v >= record.Fstart && record.NrGridFreqs < kMaxPoint) {
        record.NrGridFreqs = static_cast<int16_t>(record.NrGridFreqs + 1);
        record.GridFreq[record.NrGridFreqs] = v;
      }
    }
    decade *= 10.0f;
    if (decade > limit) {
      return;
    }
  }
}

}  // namespace kestro
