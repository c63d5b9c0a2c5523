// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/pole_list.h"

#include <cmath>

#include "synthesis/bessel_pole_table.h"

namespace kestro {

namespace {

// Butterworth poles: theta_k = (2k - 1) pi / (2n), pole k = -sin theta_k + j cos theta_k, so the
// first half of k lies in the upper half plane and an odd order's middle k is the real pole -1.
void ButterworthPoles(int n, PoleList& poles) {
  const double pi = 4.0 * std::atan(1.0);
  for (int k = 1; k <= n; ++k) {
    const double theta = (2 * k - 1) * pi / (2 * n);
    poles.PoleX[static_cast<std::size_t>(k)] = static_cast<float>(-std::sin(theta));
    poles.PoleY[static_cast<std::size_t>(k)] = static_cast<float>(std::cos(theta));
  }
}

// Chebyshev poles (ripple band edge at 1 rad/s): the Butterworth poles with the real parts scaled
// by sinh a and the imaginary parts by cosh a, a = asinh(1/eps) / n, eps = sqrt(10^(Apass/10) - 1).
void ChebyshevPoles(const DesignRecord& record, PoleList& poles) {
  const int n = record.Order;
  ButterworthPoles(n, poles);
  if (!(record.Apass > 0))
    return;
  const double eps = std::sqrt(std::pow(10.0, 0.1 * record.Apass) - 1.0);
  const double a = std::log(1.0 / eps + std::sqrt(1.0 / (eps * eps) + 1.0)) / n;
  const double sinhA = (std::exp(a) - std::exp(-a)) / 2;
  const double coshA = (std::exp(a) + std::exp(-a)) / 2;
  for (int k = 1; k <= n; ++k) {
    auto& x = poles.PoleX[static_cast<std::size_t>(k)];
    auto& y = poles.PoleY[static_cast<std::size_t>(k)];
    x = static_cast<float>(x * sinhA);
    y = static_cast<float>(y * coshA);
  }
}

void BesselPoles(int n, PoleList& poles) {
  const auto& slots = BesselPoleTable(n);
  for (int k = 1; k <= n; ++k) {
    const BesselPole& pole = slots[static_cast<std::size_t>(k - 1)];
    poles.PoleX[static_cast<std::size_t>(k)] = pole.re;
    poles.PoleY[static_cast<std::size_t>(k)] = pole.im;
  }
}

}  // namespace

void ComputePoles(DesignRecord& record, PoleList& poles) {
  if (record.Family == kBessel && record.Order > kMaxBesselPoleOrder)
    record.Order = kMaxBesselPoleOrder;
  const int n = record.Order;
  if (n < 1 || n > kMaxPoleSlot)
    return;
  switch (record.Family) {
    case kButterworth:
      ButterworthPoles(n, poles);
      break;
    case kChebyshev:
      ChebyshevPoles(record, poles);
      break;
    case kBessel:
      BesselPoles(n, poles);
      break;
    default:
      break;
  }
}

}  // namespace kestro
