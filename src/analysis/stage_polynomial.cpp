// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/stage_polynomial.h"

#include <cmath>

namespace kestro {

// Node equations of the stage (input V, nodes 1..3, output Vo; conductances G_k = 1/R_k):
//   node 1: G1 (V - V1) = s C1 V1 + G2 (V1 - V2)
//   node 2: G2 (V1 - V2) = s C2 (V2 - Vo) + G3 (V2 - V3)
//   node 3: G3 (V2 - V3) = s C3 V3
//   amplifier: Vo = K V3
// Eliminating V1 and V2 gives Vo / V = K / (1 + b1 s + b2 s^2 + b3 s^3) with
//   b1 = R1 C1 + (R1 + R2 + R3) C3 + (1 - K) (R1 + R2) C2
//   b2 = R1 (R2 + R3) C1 C3 + (R1 + R2) R3 C2 C3 + (1 - K) R1 R2 C1 C2
//   b3 = R1 R2 R3 C1 C2 C3.
// The follower is the op-amp with its output tied to its inverting input:
// Vo = A(s) (V3 - Vo), so K = A / (1 + A). These equations hold at every s, so K may depend on
// s. With the single-pole amplifier A(s) = wt / s (wt = 2 pi GBW, tau = 1 / wt):
//   K = 1 / (1 + tau s),  1 - K = tau s / (1 + tau s).
// Writing the ideal (K = 1) coefficients as b1, b2, b3 and e = (R1 + R2) C2, g = R1 R2 C1 C2,
//   Vo / V = K / (1 + b1 s + b2 s^2 + b3 s^3 + (1 - K)(e s + g s^2)),
// and multiplying numerator and denominator by 1 + tau s:
//   Vo / V = 1 / ((1 + tau s)(1 + b1 s + b2 s^2 + b3 s^3) + tau s (e s + g s^2))
//          = 1 / (1 + a1 s + a2 s^2 + a3 s^3 + a4 s^4),
//   a1 = b1 + tau,  a2 = b2 + tau (b1 + e),  a3 = b3 + tau (b2 + g),  a4 = tau b3.
// With tau = 0 this is the follower's cubic. Coefficients are in double so that no product of
// single parts overflows.
StagePolynomial StagePolynomialOf(const DesignRecord& record, int stage, double opampTau) {
  const auto& r = record.R[static_cast<std::size_t>(stage)];
  const auto& c = record.C[static_cast<std::size_t>(stage)];
  const double r1 = r[1];
  const double r2 = r[2];
  const double r3 = r[3];
  const double c1 = c[1] > 0.0f ? c[1] : 0.0;
  const double c2 = c[2];
  const double c3 = c[3];
  const double b1 = r1 * c1 + (r1 + r2 + r3) * c3;
  const double b2 = r1 * (r2 + r3) * c1 * c3 + (r1 + r2) * r3 * c2 * c3;
  const double b3 = r1 * r2 * r3 * c1 * c2 * c3;
  const double e = (r1 + r2) * c2;
  const double g = r1 * r2 * c1 * c2;
  StagePolynomial d;
  d.a1 = b1 + opampTau;
  d.a2 = b2 + opampTau * (b1 + e);
  d.a3 = b3 + opampTau * (b2 + g);
  d.a4 = opampTau * b3;
  return d;
}

double AnalysisOpampTau(const DesignRecord& record) {
  const double gbw = record.OpampGbw;
  if (record.OpampOn == 0 || !std::isfinite(gbw) || !(gbw > 0.0)) {
    return 0.0;
  }
  constexpr double kTwoPi = 6.283185307179586477;
  return 1.0 / (kTwoPi * gbw);
}

StageValue EvaluateStage(const StagePolynomial& d, double omega) {
  const double w2 = omega * omega;
  StageValue v;
  v.re = 1.0 - d.a2 * w2 + d.a4 * w2 * w2;
  v.im = d.a1 * omega - d.a3 * w2 * omega;
  v.slopeRe = d.a1 - 3.0 * d.a3 * w2;
  v.slopeIm = 2.0 * d.a2 * omega - 4.0 * d.a4 * w2 * omega;
  return v;
}

double StageGainDb(const StagePolynomial& d, double omega) {
  const StageValue v = EvaluateStage(d, omega);
  return -10.0 * std::log10(v.re * v.re + v.im * v.im);
}

}  // namespace kestro
