// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/family_poles.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <optional>
#include <vector>

namespace kestro {
namespace {

using Complex = std::complex<double>;

// --- Butterworth and Chebyshev: one angle per stored slot ---

// Poles -C*cos(theta) +/- j*S*sin(theta); Butterworth has C = S = 1.
void StoreAnglePoles(DesignRecord& record, int n, float c, float s) {
  const double pi = record.Pi;
  if (n % 2 == 0) {
    for (int k = 1; k <= n / 2; ++k) {
      const double theta = (k - 0.5) * pi / n;
      record.PoleIm[k] = static_cast<float>(s * std::sin(theta));
      record.PoleRe[k] = static_cast<float>(c * std::cos(theta));
    }
    return;
  }
  for (int k = 1; k <= (n + 1) / 2; ++k) {
    const double theta = (k - 1) * pi / n;
    record.PoleIm[k - 1] = static_cast<float>(s * std::sin(theta));
    record.PoleRe[k] = static_cast<float>(c * std::cos(theta));
  }
}

// Chebyshev: eps = sqrt(10^(Apass/10) - 1), a = asinh(1/eps)/n, C = sinh a, S = cosh a, each
// held as a single.
void StoreChebyshevPoles(DesignRecord& record, int n) {
  const float eps = static_cast<float>(std::sqrt(std::pow(10.0, 0.1 * record.Apass) - 1.0));
  const double inv = 1.0 / eps;
  const float a = static_cast<float>(std::log(inv + std::sqrt(inv * inv + 1.0)) / n);
  const float c = static_cast<float>((std::exp(a) - std::exp(-a)) / 2.0);
  const float s = static_cast<float>((std::exp(-a) + std::exp(a)) / 2.0);
  StoreAnglePoles(record, n, c, s);
}

// --- Bessel: roots of the reverse Bessel polynomial ---

// Monic coefficients, ascending powers: p[i] is the coefficient of s^i, p[n] = 1. Held in long
// double: the roots of high orders crowd together and magnify coefficient errors.
std::vector<long double> ReverseBesselPolynomial(int n) {
  std::vector<long double> p(n + 1, 0.0L);
  p[0] = 1.0L;
  p[1] = 1.0L;
  for (int i = 1; i <= n - 1; ++i) {
    p[i + 1] = p[i] * 2.0L * (n - i) / ((2.0L * n - i) * (i + 1.0L));
  }
  const long double lead = p[n];
  for (long double& coefficient : p) {
    coefficient /= lead;
  }
  return p;
}

// Value and derivative of p at a real x (Horner).
void EvaluateReal(const std::vector<double>& p, double x, double& value, double& slope) {
  value = 0.0;
  slope = 0.0;
  for (int i = static_cast<int>(p.size()) - 1; i >= 0; --i) {
    slope = slope * x + value;
    value = value * x + p[i];
  }
}

// Quotient of p by (s - r), ascending powers; the remainder is dropped.
std::vector<double> DivideLinear(const std::vector<double>& p, double r) {
  const int n = static_cast<int>(p.size()) - 1;
  std::vector<double> q(n, 0.0);
  double carry = 0.0;
  for (int i = n; i >= 1; --i) {
    carry = p[i] + carry * r;
    q[i - 1] = carry;
  }
  return q;
}

// One Bairstow step for the factor s^2 + u*s + v of p (degree >= 3). Fills the quotient and
// returns the corrections, or nothing when the Jacobian is singular.
struct BairstowStep {
  double du = 0;
  double dv = 0;
  std::vector<double> quotient;
};
std::optional<BairstowStep> Bairstow(const std::vector<double>& a, double u, double v) {
  const int n = static_cast<int>(a.size()) - 1;
  std::vector<double> b(n + 1, 0.0);
  std::vector<double> c(n + 1, 0.0);
  for (int i = n - 2; i >= 0; --i) {
    b[i] = a[i + 2] - u * b[i + 1] - v * b[i + 2];
    c[i] = b[i + 2] - u * c[i + 1] - v * c[i + 2];
  }
  const double rc = a[1] - u * b[0] - v * b[1];
  const double rd = a[0] - v * b[0];
  const double g = b[1] - u * c[0] - v * c[1];
  const double h = b[0] - v * c[0];
  const double det = v * g * g + h * (h - u * g);
  if (det == 0.0 || !std::isfinite(det)) {
    return std::nullopt;
  }
  BairstowStep step;
  step.du = (-h * rc + g * rd) / det;
  step.dv = (-g * v * rc + (g * u - h) * rd) / det;
  step.quotient.assign(b.begin(), b.begin() + (n - 1));
  return step;
}

void AppendQuadraticRoots(double u, double v, std::vector<Complex>& roots) {
  const double disc = u * u / 4.0 - v;
  if (disc < 0.0) {
    roots.emplace_back(-u / 2.0, std::sqrt(-disc));
    roots.emplace_back(-u / 2.0, -std::sqrt(-disc));
  } else {
    roots.emplace_back(-u / 2.0 + std::sqrt(disc), 0.0);
    roots.emplace_back(-u / 2.0 - std::sqrt(disc), 0.0);
  }
}

// Splits one linear or quadratic factor off p (degree >= 3) at one tolerance: every iteration
// makes a Newton step towards a real root and a Bairstow step on a quadratic; the first to converge
// is split off. Returns false after 1000 iterations without convergence.
bool SplitFactorWithin(double tolerance, std::vector<double>& p, std::vector<Complex>& roots) {
  double x = 0.0;
  double u = 0.0;
  double v = 0.0;
  for (int iteration = 0; iteration < 1000; ++iteration) {
    double value = 0.0;
    double slope = 0.0;
    EvaluateReal(p, x, value, slope);
    if (slope != 0.0 && std::isfinite(value / slope)) {
      const double dx = value / slope;
      x -= dx;
      if (std::abs(dx) < tolerance) {
        roots.emplace_back(x, 0.0);
        p = DivideLinear(p, x);
        return true;
      }
    }
    const std::optional<BairstowStep> step = Bairstow(p, u, v);
    if (!step) {
      u += 0.1;  // leave a singular trial factor
      v += 0.1;
      continue;
    }
    u -= step->du;
    v -= step->dv;
    if (std::abs(step->du) < tolerance && std::abs(step->dv) < tolerance) {
      AppendQuadraticRoots(u, v, roots);
      p = Bairstow(p, u, v).value_or(*step).quotient;
      return true;
    }
  }
  return false;
}

// Splits one factor off p, the tolerance growing tenfold after each failed search. Corrections
// below 1e-6 count as converged (the roots are polished afterwards); six attempts end at a
// tolerance of 0.1, beyond which a split factor would be worthless.
bool SplitFactor(std::vector<double>& p, std::vector<Complex>& roots) {
  double tolerance = 1e-6;
  for (int attempt = 0; attempt < 6; ++attempt, tolerance *= 10.0) {
    if (SplitFactorWithin(tolerance, p, roots)) {
      return true;
    }
  }
  return false;
}

// Newton refinement of a root on the undeflated polynomial, to undo deflation errors.
Complex Polish(const std::vector<long double>& p, Complex start) {
  using LongComplex = std::complex<long double>;
  LongComplex z(start.real(), start.imag());
  for (int iteration = 0; iteration < 20; ++iteration) {  // Newton doubles the digits: 20 is ample
    LongComplex value = 0.0L;
    LongComplex slope = 0.0L;
    for (int i = static_cast<int>(p.size()) - 1; i >= 0; --i) {
      slope = slope * z + value;
      value = value * z + p[i];
    }
    if (std::abs(slope) == 0.0L) {
      break;
    }
    const LongComplex dz = value / slope;
    z -= dz;
    if (std::abs(dz) <= 1e-18L * std::abs(z)) {  // long double resolves about 1e-19
      break;
    }
  }
  return {static_cast<double>(z.real()), static_cast<double>(z.imag())};
}

// All n roots of a monic polynomial, deflating one factor at a time.
std::optional<std::vector<Complex>> PolynomialRoots(const std::vector<long double>& original) {
  std::vector<double> p(original.begin(), original.end());
  std::vector<Complex> roots;
  while (p.size() - 1 >= 3) {
    if (!SplitFactor(p, roots)) {
      return std::nullopt;
    }
  }
  if (p.size() - 1 == 2) {
    AppendQuadraticRoots(p[1] / p[2], p[0] / p[2], roots);
  } else if (p.size() - 1 == 1) {
    roots.emplace_back(-p[0] / p[1], 0.0);
  }
  for (Complex& root : roots) {
    root = Polish(original, root);
  }
  return roots;
}

// Stores the roots in the slot layout: the real root of an odd order in PoleRe[1], the pairs in
// order of rising Q (as for the other families, so the three-pole stage gets the lowest-Q pair).
// Returns false, storing nothing, when the roots are not n/2 pairs and n%2 real roots.
bool StoreRoots(DesignRecord& record, int n, const std::vector<Complex>& roots) {
  std::vector<Complex> pairs;
  std::vector<double> reals;
  for (const Complex& root : roots) {
    // Polished roots are good to about 1e-15: an imaginary part below 1e-9 is a real root's.
    if (std::abs(root.imag()) <= 1e-9 * std::abs(root)) {
      reals.push_back(root.real());
    } else if (root.imag() > 0.0) {
      pairs.push_back(root);
    }
  }
  if (static_cast<int>(reals.size()) != n % 2 || static_cast<int>(pairs.size()) != n / 2) {
    return false;
  }
  std::sort(pairs.begin(), pairs.end(), [](const Complex& a, const Complex& b) {
    return a.imag() / -a.real() < b.imag() / -b.real();
  });
  const int offset = n % 2;
  if (offset == 1) {
    record.PoleRe[1] = static_cast<float>(std::abs(reals.front()));
  }
  for (int j = 1; j <= n / 2; ++j) {
    record.PoleRe[j + offset] = static_cast<float>(std::abs(pairs[j - 1].real()));
    record.PoleIm[j] = static_cast<float>(pairs[j - 1].imag());
  }
  return true;
}

void StoreBesselPoles(DesignRecord& record, int n) {
  if (n == 1) {
    record.PoleRe[1] = 1.0f;  // s + 1
    return;
  }
  const std::optional<std::vector<Complex>> roots = PolynomialRoots(ReverseBesselPolynomial(n));
  if (roots) {
    StoreRoots(record, n, *roots);  // on failure the slots stay zero and the synthesis reports it
  }
}

}  // namespace

void ComputeFamilyPoles(DesignRecord& record) {
  const int family = record.Family;
  if (family != kButterworth && family != kChebyshev && family != kBessel) {
    return;
  }
  const int n = record.Order;
  const int lastCleared = std::clamp(n, 0, kMaxPoleSlot);
  for (int i = 0; i <= lastCleared; ++i) {
    record.PoleRe[i] = 0.0f;
    record.PoleIm[i] = 0.0f;
  }
  record.Pi = static_cast<float>(4.0 * std::atan(1.0));
  if (n < 1 || n > kMaxDesignOrder) {
    return;
  }
  if (family == kButterworth) {
    StoreAnglePoles(record, n, 1.0f, 1.0f);
  } else if (family == kChebyshev) {
    StoreChebyshevPoles(record, n);
  } else {
    StoreBesselPoles(record, n);
  }
}

}  // namespace kestro
