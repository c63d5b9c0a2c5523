// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace kestro {

// The denominator 1 + b1 s + b2 s^2 + b3 s^3 of one unity-gain Sallen-Key stage (b1 in seconds,
// b2 in s^2, b3 in s^3; a two-pole stage has b3 = 0).
struct StageDenominator {
  double b1 = 0;
  double b2 = 0;
  double b3 = 0;

  // The pair -sigma +/- j omega of the normalised prototype at w rad/s:
  // 1 + 2 sigma s/(|p|^2 w) + s^2/(|p|^2 w^2).
  static StageDenominator ForPair(double sigma, double omega, double w);
  // The real pole -sigma0 with the pair -sigma1 +/- j omega1 at w rad/s.
  static StageDenominator ForThreePoles(double sigma0, double sigma1, double omega1, double w);
  // The stage built from R1..R3 (ohms) and C1..C3 (farads) with a follower:
  //   b1 = R1 (C1 + C3) + (R2 + R3) C3
  //   b2 = R1 (R2 + R3) C1 C3 + (R1 + R2) R3 C2 C3
  //   b3 = R1 R2 R3 C1 C2 C3   (R1 = 0 gives the two-pole stage).
  static StageDenominator OfParts(const std::array<double, 3>& r, const std::array<double, 3>& c);

  // The largest gain difference (dB) between this stage and another over the band that shapes
  // the response: from a tenth to five times the stage's natural frequency.
  double DeviationDb(const StageDenominator& other) const;
};

}  // namespace kestro
