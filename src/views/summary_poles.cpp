#include "views/summary_poles.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "synthesis/family_poles.h"

namespace kestro {

namespace {

constexpr int kMaxListedBessel = 10;

// Butterworth on the unit circle, theta_k = (2k - 1) pi / (2n); Chebyshev scales the real parts
// by sinh a and the imaginary parts by cosh a, a = asinh(1/eps) / n, eps = sqrt(10^(Apass/10) - 1).
std::vector<ListedPole> AnglePoles(const DesignRecord& record, int n) {
  double scaleX = 1, scaleY = 1;
  if (record.Family == kChebyshev && record.Apass > 0) {
    const double eps = std::sqrt(std::pow(10.0, 0.1 * record.Apass) - 1.0);
    const double a = std::asinh(1.0 / eps) / n;
    scaleX = std::sinh(a);
    scaleY = std::cosh(a);
  }
  std::vector<ListedPole> poles;
  for (int k = 1; k <= n; ++k) {
    const double theta = (2 * k - 1) * std::numbers::pi / (2 * n);
    poles.push_back({static_cast<float>(-std::sin(theta) * scaleX),
                     static_cast<float>(std::cos(theta) * scaleY)});
  }
  return poles;
}

struct BesselRoots {
  std::vector<ListedPole> pairs;  // one per pair, y > 0, by increasing y
  float real = 0;                 // the real root of an odd order
};

// The synthesis' roots, read from its slot layout (odd: real -PoleRe[1], pairs -PoleRe[j + 1]
// +/- j PoleIm[j]; even: pairs -PoleRe[j] +/- j PoleIm[j]).
BesselRoots BesselRootsOf(const DesignRecord& record, int n) {
  auto work = std::make_unique<DesignRecord>(record);
  work->Order = static_cast<int16_t>(n);
  ComputeFamilyPoles(*work);
  BesselRoots roots;
  const bool odd = n % 2 == 1;
  if (odd)
    roots.real = -work->PoleRe[1];
  for (int j = 1; j <= n / 2; ++j)
    roots.pairs.push_back({-work->PoleRe[odd ? j + 1 : j], work->PoleIm[j]});
  std::sort(roots.pairs.begin(), roots.pairs.end(),
            [](const ListedPole& a, const ListedPole& b) { return a.y < b.y; });
  return roots;
}

void AddPair(std::vector<ListedPole>& poles, const ListedPole& pair, bool positiveFirst) {
  const float first = positiveFirst ? pair.y : -pair.y;
  poles.push_back({pair.x, first});
  poles.push_back({pair.x, -first});
}

// Orders 1..7: the real root, then the pairs upward, negative half first. Orders 8 and 10 list
// the second-lowest pair first, order 9 puts its real root after the lowest pair; these pairs
// show their positive half first.
std::vector<ListedPole> BesselPoles(const DesignRecord& record, int n) {
  const BesselRoots roots = BesselRootsOf(record, n);
  std::vector<ListedPole> poles;
  std::vector<ListedPole> pairs = roots.pairs;
  if (n <= 7) {
    if (n % 2 == 1)
      poles.push_back({roots.real, 0});
    for (const ListedPole& pair : pairs)
      AddPair(poles, pair, false);
    return poles;
  }
  if (n % 2 == 0)
    std::swap(pairs[0], pairs[1]);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    AddPair(poles, pairs[i], true);
    if (n % 2 == 1 && i == 0)
      poles.push_back({roots.real, 0});
  }
  return poles;
}

}  // namespace

std::vector<ListedPole> SummaryPoles(const DesignRecord& record) {
  const int n = record.Order;
  if (n < 1 || n > kMaxDesignOrder)
    return {};
  switch (record.Family) {
    case kButterworth:
    case kChebyshev:
      return AnglePoles(record, n);
    case kBessel:
      return BesselPoles(record, std::min(n, kMaxListedBessel));
    default:
      return {};
  }
}

}  // namespace kestro
