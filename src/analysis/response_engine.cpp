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

// --- One product per point ---
//
// The cascade is evaluated as the product P = D_1 D_2 ... D_n of the stage denominators
// (H = 1 / P), in double with its binary exponent kept apart so no part values overflow it:
// the gain is -20 log10 |P| and the phase comes from one atan2 of P, instead of a logarithm and
// an arctangent per stage. The phase is put together as the stage-by-stage sum always was: each
// stage contributes atan(Im/Re) x 180/3.14159, plus 180 where its Re is negative, so the
// whole-turn counts of the product are tracked by the signs of its factors (a turn of the
// principal argument is 2 pi radians, 360.00048 of these "degrees"). Results agree with the
// stage-by-stage sum in singles to a few units in the last place.
struct SweepProduct {
  double re = 1;
  double im = 0;
  int exponent = 0;    // P = (re + j im) x 2^exponent
  int turns = 0;       // whole turns the principal arguments of the factors ran over
  int halfTurns = 0;   // sum over the factors of the pi-corrections from atan2 to atan(Im/Re)
  int negativeRe = 0;  // factors with Re < 0: each adds 180 degrees
};

// Multiplies by a stage's conj(D) = (dRe, -dIm), the direction of its H.
void MultiplyStage(SweepProduct& p, double re, double im) {
  const bool upperBefore = p.im >= 0;
  const bool upperFactor = im >= 0;
  const double nextRe = p.re * re - p.im * im;
  const double nextIm = p.re * im + p.im * re;
  if (upperBefore && upperFactor && nextIm < 0)
    ++p.turns;  // both arguments in [0, pi], their sum beyond pi
  else if (!upperBefore && !upperFactor && nextIm >= 0)
    --p.turns;  // both in (-pi, 0), their sum at or below -pi
  if (re < 0) {
    ++p.negativeRe;
    p.halfTurns += upperFactor ? 1 : -1;  // atan2 = atan(Im/Re) + pi (upper) or - pi (lower)
  }
  p.re = nextRe;
  p.im = nextIm;
  // Keep the magnitude near 1 by an exact scaling with a power of two.
  const double size = std::max(std::abs(p.re), std::abs(p.im));
  if (size > 0x1p+200 || (size < 0x1p-200 && size > 0)) {
    int shift = 0;
    std::frexp(size, &shift);
    p.re = std::ldexp(p.re, -shift);
    p.im = std::ldexp(p.im, -shift);
    p.exponent += shift;
  }
}

// Gain (dB) and phase (degrees) of the cascade at one frequency.
struct PointResponse {
  double gain = 0;
  double phase = 0;  // before wrapping
};

// The response of the cascade at omega rad/s.
PointResponse EvaluateSweepPoint(const Cascade& cascade, double omega) {
  SweepProduct p;
  const double omega2 = omega * omega;
  for (int s = 1; s <= cascade.stages; ++s) {
    const StageCoefficients& b = cascade.stage[s];
    const double dRe = 1.0 - b.b2 * omega2;
    const double dIm = b.b1 * omega - b.b3 * omega2 * omega;
    MultiplyStage(p, dRe, -dIm);
  }
  constexpr double kLog10Of2 = 0.30102999566398119521;
  constexpr double kPi = 3.14159265358979323846;
  const double magnitude2 = p.re * p.re + p.im * p.im;
  PointResponse out;
  out.gain = magnitude2 > 0 ? -10.0 * std::log10(magnitude2) - 20.0 * kLog10Of2 * p.exponent
                            : 6000.0;  // a lossless stage exactly at resonance: a finite +6000 dB
  const double argument = std::atan2(p.im == 0 ? 0.0 : p.im, p.re);  // +0: pi for a negative P
  const double radians = argument + kPi * (2 * p.turns - p.halfTurns);
  out.phase = radians * static_cast<double>(kDegreesPerRadian) + 180.0 * p.negativeRe;
  return out;
}

// Gain (dB) and phase (degrees, wrapped into [-180, 180]) of the cascade at omega rad/s, as
// singles.
struct SinglePoint {
  float gain = 0;
  float phase = 0;
};

SinglePoint EvaluatePoint(const Cascade& cascade, float omega) {
  const PointResponse response = EvaluateSweepPoint(cascade, omega);
  return {static_cast<float>(response.gain), WrapPhase(static_cast<float>(response.phase))};
}

// Delay beyond the last point counts as zero (the spare array element may hold an old value).
float DelayOrZero(const DesignRecord& record, int i, int n) {
  return i <= n ? record.Delay[i] : 0.0f;
}

// Freq[i] = exp(ln Fstart + (ln Fstop - ln Fstart) i / n), stored as single. Between exact
// exponentials every 64 points the value is carried on by the constant ratio in double: its
// drift (below 64 x 2^-53) stays ten million times under the spacing of singles.
void FillFrequencies(DesignRecord& record, int n) {
  constexpr int kExactEvery = 64;
  const double lnStart = std::log(static_cast<double>(record.Fstart));
  const double lnStop = std::log(static_cast<double>(record.Fstop));
  const double ratio = std::exp((lnStop - lnStart) / n);
  double f = 0;
  for (int i = 0; i <= n; ++i) {
    f = i % kExactEvery == 0 || i == n ? std::exp(lnStart + (lnStop - lnStart) * i / n) : f * ratio;
    record.Freq[i] = static_cast<float>(f);
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

// The products of a whole sweep, built stage by stage over all points: the same operations as
// MultiplyStage in the same order, without the rescaling, in a loop the compiler vectorises
// (AVX2 where the processor has it, chosen when the program loads; SSE2 otherwise). The turn
// counts are whole numbers held in doubles, so every lane is of one type.
struct SweepArrays {
  std::array<double, kMaxPoint + 1> omega, re, im, turns, halfTurns, negativeRe;
};

__attribute__((target_clones("avx2", "default"), optimize("no-trapping-math"))) void
MultiplyAllStages(const Cascade& cascade, SweepArrays& a, int points) {
  for (int i = 0; i < points; ++i) {
    a.re[i] = 1;
    a.im[i] = a.turns[i] = a.halfTurns[i] = a.negativeRe[i] = 0;
  }
  for (int s = 1; s <= cascade.stages; ++s) {
    const StageCoefficients b = cascade.stage[s];
    for (int i = 0; i < points; ++i) {
      const double omega = a.omega[i];
      const double omega2 = omega * omega;
      const double re = 1.0 - b.b2 * omega2;
      const double im = -(b.b1 * omega - b.b3 * omega2 * omega);
      const double nextRe = a.re[i] * re - a.im[i] * im;
      const double nextIm = a.re[i] * im + a.im[i] * re;
      const auto upperBefore = static_cast<double>(a.im[i] >= 0);
      const auto upperFactor = static_cast<double>(im >= 0);
      const auto lower = static_cast<double>(nextIm < 0);
      a.turns[i] +=
          upperBefore * upperFactor * lower - (1 - upperBefore) * (1 - upperFactor) * (1 - lower);
      const auto negative = static_cast<double>(re < 0);
      a.negativeRe[i] += negative;
      a.halfTurns[i] += negative * (2 * upperFactor - 1);
      a.re[i] = nextRe;
      a.im[i] = nextIm;
    }
  }
}

// Gain and phase of point i from its product; a product outside the range the batch keeps
// exact (beyond 2^+-200, as MultiplyStage would have rescaled) is evaluated stage by stage.
SinglePoint FinishPoint(const Cascade& cascade, const SweepArrays& a, int i) {
  const double size = std::max(std::abs(a.re[i]), std::abs(a.im[i]));
  if (!(size <= 0x1p+200 && size >= 0x1p-200)) {
    return EvaluatePoint(cascade, static_cast<float>(a.omega[i]));
  }
  constexpr double kPi = 3.14159265358979323846;
  const double magnitude2 = a.re[i] * a.re[i] + a.im[i] * a.im[i];
  const double argument = std::atan2(a.im[i] == 0 ? 0.0 : a.im[i], a.re[i]);
  const double radians = argument + kPi * (2 * a.turns[i] - a.halfTurns[i]);
  // "- 0.0": the same operations as EvaluateSweepPoint with no rescaling, so the same bits.
  return {static_cast<float>(-10.0 * std::log10(magnitude2) - 0.0),
          WrapPhase(static_cast<float>(radians * static_cast<double>(kDegreesPerRadian) +
                                       180.0 * a.negativeRe[i]))};
}

void FillResponse(DesignRecord& record, int n) {
  const Cascade cascade = PrepareCascade(record);
  static thread_local SweepArrays sweep;  // 74 kB: kept off the stack, one per thread
  for (int i = 0; i <= n; ++i)
    sweep.omega[i] = kRadiansPerCycle * record.Freq[i];  // a single, as ResponseAt(Freq[i])
  MultiplyAllStages(cascade, sweep, n + 1);
  float previousFreq = 0.0f;
  float previousPhase = 0.0f;
  for (int i = 0; i <= n; ++i) {
    record.Omega = kRadiansPerCycle * record.Freq[i];
    const SinglePoint point = FinishPoint(cascade, sweep, i);
    record.GainAt = point.gain;
    record.PhaseAt = point.phase;
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
  const SinglePoint point = EvaluatePoint(PrepareCascade(record), record.Omega);
  gain = point.gain;
  phase = point.phase;
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
