// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// One stage's transfer function as H = 1 / D(s) with
// D(s) = 1 + a1 s + a2 s^2 + a3 s^3 + a4 s^4 (s in rad/s, a_k in s^k). With the follower the
// stage is of third order (a4 = 0); with a single-pole op-amp of the fourth.
struct StagePolynomial {
  double a1 = 0;
  double a2 = 0;
  double a3 = 0;
  double a4 = 0;
};

// The value D(j w) and its derivative dD/ds at s = j w.
struct StageValue {
  double re = 0;
  double im = 0;
  double slopeRe = 0;
  double slopeIm = 0;
};

// The stage network: R1, C1 to ground; R2, C2 to the amplifier output; R3, C3 to ground at the
// amplifier input. A C1 of 0 or less is open. opampTau = 1 / (2 pi GBW) in seconds, 0 for the
// ideal follower.
StagePolynomial StagePolynomialOf(const DesignRecord& record, int stage, double opampTau);

// 1 / (2 pi GBW) of the op-amp the record analyses with, 0 when it analyses with the follower
// (switch off, or no finite positive GBW).
double AnalysisOpampTau(const DesignRecord& record);

// D(j w) and D'(j w).
StageValue EvaluateStage(const StagePolynomial& d, double omega);

// The stage's gain in dB at omega rad/s.
double StageGainDb(const StagePolynomial& d, double omega);

}  // namespace kestro
