// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/response_engine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "analysis/stage_polynomial.h"

namespace kestro {
namespace {

// Degrees per radian with pi rounded to 3.14159, the factor every stored phase was made with.
constexpr float kDegreesPerRadian = 180.0f / 3.14159f;
constexpr float kLargestSingle = std::numeric_limits<float>::max();
// 2 pi to eight digits (rad per cycle): Omega as the record has always held it.
constexpr float kRadiansPerCycle = 6.2831853f;

// Every stage is H = 1 / D(s), D of third order with the follower and of fourth with a
// single-pole op-amp (see StagePolynomialOf for the node equations). The R4/R5 pair of the record
// is not evaluated: every amplifier is the unity-gain follower the schematic draws and the
// LTspice file wires, K = 1. (A gain of 1 + R4/R5 = 1.00001 would lower the damping of a high-Q
// stage by 2e-5 Q^2: 0.3 dB at order 11 with 3 dB ripple.)

// The stages of the record, prepared once for a sweep.
struct Cascade {
  int stages = 0;
  std::array<StagePolynomial, kMaxStage + 1> stage{};
};

// Recomputes NrStages from Order and resets R4 = 1e-5, R5 = 1 in every stage used, as the
// record has always carried them (files hold them byte for byte).
Cascade PrepareCascade(DesignRecord& record) {
  record.NrStages = StagesForOrder(record.Order);
  Cascade cascade;
  cascade.stages = StageCount(record);
  const double tau = AnalysisOpampTau(record);
  for (int s = 1; s <= cascade.stages; ++s) {
    record.R[s][4] = 1e-5f;
    record.R[s][5] = 1.0f;
    cascade.stage[s] = StagePolynomialOf(record, s, tau);
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

// Gain (dB), phase (degrees) and group delay (s) of the cascade at one frequency.
struct PointResponse {
  double gain = 0;
  double phase = 0;  // before wrapping
  double delay = 0;
};

// The group delay of H = 1 / D is -d(arg H)/dw = Re(D'(jw) / D(jw)), summed over the stages.
double StageDelay(const StageValue& v) {
  return (v.slopeRe * v.re + v.slopeIm * v.im) / (v.re * v.re + v.im * v.im);
}

// The response of the cascade at omega rad/s.
PointResponse EvaluateSweepPoint(const Cascade& cascade, double omega) {
  SweepProduct p;
  double delay = 0;
  for (int s = 1; s <= cascade.stages; ++s) {
    const StageValue v = EvaluateStage(cascade.stage[s], omega);
    MultiplyStage(p, v.re, -v.im);
    delay += StageDelay(v);
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
  out.delay = delay;
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

// A delay held within the single range (a lossless stage at its resonance has none: 0).
float DelayWithinSingle(double seconds) {
  if (std::isnan(seconds)) {
    return 0.0f;
  }
  const double largest = kLargestSingle;
  return static_cast<float>(std::clamp(seconds, -largest, largest));
}

// The products of a whole sweep, built stage by stage over all points: the same operations as
// MultiplyStage in the same order, without the rescaling, in a loop the compiler vectorises
// (AVX2 where the processor has it, chosen when the program loads; SSE2 otherwise). The turn
// counts are whole numbers held in doubles, so every lane is of one type. Beside the product
// Q = conj(D_1 ... D_n) runs its derivative Q' (product rule), so that the group delay
// sum Re(D_k'/D_k) comes out as Re(Q'/Q) without a division per stage.
struct SweepArrays {
  std::array<double, kMaxPoint + 1> omega, re, im, slopeRe, slopeIm, turns, halfTurns, negativeRe;
};

__attribute__((target_clones("avx2", "default"), optimize("no-trapping-math"))) void
MultiplyAllStages(const Cascade& cascade, SweepArrays& a, int points) {
  for (int i = 0; i < points; ++i) {
    a.re[i] = 1;
    a.im[i] = a.slopeRe[i] = a.slopeIm[i] = a.turns[i] = a.halfTurns[i] = a.negativeRe[i] = 0;
  }
  for (int s = 1; s <= cascade.stages; ++s) {
    const StagePolynomial d = cascade.stage[s];
    for (int i = 0; i < points; ++i) {
      const double omega = a.omega[i];
      const double omega2 = omega * omega;
      // conj(D(jw)) and conj(D'(jw)), as EvaluateStage forms them
      const double re = 1.0 - d.a2 * omega2 + d.a4 * omega2 * omega2;
      const double im = -(d.a1 * omega - d.a3 * omega2 * omega);
      const double dRe = d.a1 - 3.0 * d.a3 * omega2;
      const double dIm = -(2.0 * d.a2 * omega - 4.0 * d.a4 * omega2 * omega);
      const double nextRe = a.re[i] * re - a.im[i] * im;
      const double nextIm = a.re[i] * im + a.im[i] * re;
      const double nextSlopeRe =
          a.slopeRe[i] * re - a.slopeIm[i] * im + a.re[i] * dRe - a.im[i] * dIm;
      const double nextSlopeIm =
          a.slopeRe[i] * im + a.slopeIm[i] * re + a.re[i] * dIm + a.im[i] * dRe;
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
      a.slopeRe[i] = nextSlopeRe;
      a.slopeIm[i] = nextSlopeIm;
    }
  }
}

// Gain, phase and delay of point i from its product; a product outside the range the batch keeps
// exact (beyond 2^+-200, as MultiplyStage would have rescaled) is evaluated stage by stage.
PointResponse FinishPoint(const Cascade& cascade, const SweepArrays& a, int i) {
  const double size = std::max(std::abs(a.re[i]), std::abs(a.im[i]));
  const double magnitude2 = a.re[i] * a.re[i] + a.im[i] * a.im[i];
  const double delay = (a.slopeRe[i] * a.re[i] + a.slopeIm[i] * a.im[i]) / magnitude2;
  if (!(size <= 0x1p+200 && size >= 0x1p-200) || !std::isfinite(delay)) {
    return EvaluateSweepPoint(cascade, static_cast<double>(static_cast<float>(a.omega[i])));
  }
  constexpr double kPi = 3.14159265358979323846;
  const double argument = std::atan2(a.im[i] == 0 ? 0.0 : a.im[i], a.re[i]);
  const double radians = argument + kPi * (2 * a.turns[i] - a.halfTurns[i]);
  PointResponse out;
  // "- 0.0": the same operations as EvaluateSweepPoint with no rescaling, so the same bits.
  out.gain = -10.0 * std::log10(magnitude2) - 0.0;
  out.phase = radians * static_cast<double>(kDegreesPerRadian) + 180.0 * a.negativeRe[i];
  out.delay = delay;
  return out;
}

void FillResponse(DesignRecord& record, int n) {
  const Cascade cascade = PrepareCascade(record);
  static thread_local SweepArrays sweep;  // 131 kB: kept off the stack, one per thread
  for (int i = 0; i <= n; ++i)
    sweep.omega[i] = kRadiansPerCycle * record.Freq[i];  // a single, as ResponseAt(Freq[i])
  MultiplyAllStages(cascade, sweep, n + 1);
  for (int i = 0; i <= n; ++i) {
    record.Omega = kRadiansPerCycle * record.Freq[i];
    const PointResponse point = FinishPoint(cascade, sweep, i);
    record.GainAt = static_cast<float>(point.gain);
    record.PhaseAt = WrapPhase(static_cast<float>(point.phase));
    record.Gain[i] = record.GainAt;
    record.Phase[i] = record.PhaseAt;
    record.Delay[i] = DelayWithinSingle(point.delay);
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

float GroupDelayAt(DesignRecord& record, float f) {
  record.Omega = kRadiansPerCycle * f;
  return DelayWithinSingle(EvaluateSweepPoint(PrepareCascade(record), record.Omega).delay);
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
