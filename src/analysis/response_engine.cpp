#include "analysis/response_engine.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kestro {
namespace {

constexpr float kDegreesPerRadian = 180.0f / 3.14159f;

// One stage as H = K / (1 + b1*s + b2*s^2 + b3*s^3), from the node equations of the network:
//   b1 = R1 C1 + (R1 + R2 + R3) C3 + (1 - K)(R1 + R2) C2
//   b2 = R1 (R2 + R3) C1 C3 + (R1 + R2) R3 C2 C3 + (1 - K) R1 R2 C1 C2
//   b3 = R1 R2 R3 C1 C2 C3
// A C1 of 0 or less is an open circuit. Coefficients in double so that no product overflows.
struct StageCoefficients {
  double k = 1;
  double b1 = 0;
  double b2 = 0;
  double b3 = 0;
};

StageCoefficients CoefficientsOf(const std::array<float, 6>& r, const std::array<float, 4>& c) {
  const double k = (static_cast<double>(r[4]) + r[5]) / r[5];
  const double r1 = r[1];
  const double r2 = r[2];
  const double r3 = r[3];
  const double c1 = c[1] > 0.0f ? c[1] : 0.0;
  const double c2 = c[2];
  const double c3 = c[3];
  StageCoefficients out;
  out.k = k;
  out.b1 = r1 * c1 + (r1 + r2 + r3) * c3 + (1.0 - k) * (r1 + r2) * c2;
  out.b2 = r1 * (r2 + r3) * c1 * c3 + (r1 + r2) * r3 * c2 * c3 + (1.0 - k) * r1 * r2 * c1 * c2;
  out.b3 = r1 * r2 * r3 * c1 * c2 * c3;
  return out;
}

// The stages of the record, prepared once for a sweep.
struct Cascade {
  int stages = 0;
  std::array<StageCoefficients, kMaxStage + 1> stage{};
};

// Recomputes NrStages from Order and forces R4 = 1e-5, R5 = 1 (K = 1.00001) in every stage used.
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

// 20*log10 of a magnitude held as a single; magnitudes beyond the single range (hundreds of dB,
// extreme hand-entered parts) take the double path instead of overflowing.
float GainDb(double magnitude) {
  if (magnitude > 1e-30 && magnitude < 1e30) {
    return 20.0f * std::log10(static_cast<float>(magnitude));
  }
  return static_cast<float>(20.0 * std::log10(magnitude));
}

// H at s = j*omega, held as a single complex value (re, im), and its gain in dB.
struct StageResponse {
  float re = 0;
  float im = 0;
  float gainDb = 0;
};

StageResponse EvaluateStage(const StageCoefficients& b, double omega) {
  const double dRe = 1.0 - b.b2 * omega * omega;
  const double dIm = b.b1 * omega - b.b3 * omega * omega * omega;
  const double mag = std::sqrt(dRe * dRe + dIm * dIm);  // no overflow in double for any part
  StageResponse out;
  out.re = static_cast<float>(b.k * (dRe / mag) / mag);  // K * conj(D) / |D|^2
  out.im = static_cast<float>(-b.k * (dIm / mag) / mag);
  out.gainDb = GainDb(b.k / mag);
  if (out.re == 0.0f && out.im == 0.0f && mag > 0.0 && std::isfinite(mag)) {
    out.re = static_cast<float>(dRe);  // underflowed: keep the direction for the phase
    out.im = static_cast<float>(-dIm);
  }
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
void FillResponse(DesignRecord& record, int n) {
  const Cascade cascade = PrepareCascade(record);
  float previousFreq = 0.0f;
  float previousPhase = 0.0f;
  for (int i = 0; i <= n; ++i) {
    record.Omega = 6.2831853f * record.Freq[i];  // as ResponseAt(Freq[i])
    EvaluateCascade(cascade, record.Omega, record.GainAt, record.PhaseAt);
    record.Gain[i] = record.GainAt;
    record.Phase[i] = record.PhaseAt;
    const float d = (previousPhase - record.PhaseAt) / (360.0f * (record.Freq[i] - previousFreq));
    record.Delay[i] = (i > 0 && d > 0.0f) ? d : 0.0f;
    previousFreq = record.Freq[i];
    previousPhase = record.PhaseAt;
  }
}

// Point 0 is extrapolated from points 1 and 2; a zero delay (a phase wrap) is interpolated from
// the already repaired left neighbour and the right one.
void RepairDelay(DesignRecord& record, int n) {
  record.Delay[0] = 2.0f * DelayOrZero(record, 1, n) - DelayOrZero(record, 2, n);
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
  record.Omega = 6.2831853f * f;
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
