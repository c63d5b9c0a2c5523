// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/family_poles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kestro {
namespace {

DesignRecord Poles(int16_t family, int16_t order, float apass = 0.0f, float stale = 0.0f) {
  DesignRecord record;
  record.Family = family, record.Order = order, record.Apass = apass;
  record.PoleRe.fill(stale);
  record.PoleIm.fill(stale);
  ComputeFamilyPoles(record);
  return record;
}

// The stored Bessel poles, multiplied out in the slot layout, give the reverse Bessel polynomial
// a_k = (2n-k)! / (2^(n-k) k! (n-k)!), which is monic. Every pole lies in the left half plane, so
// every coefficient is a sum of positive products without cancellation and its relative error
// follows the poles' own: rounding the poles to single precision leaves about 1e-7. A pole 1e-6
// off, a lost or doubled root, or the real root out of slot 1 (the three-pole stage would realise
// another cubic) moves some coefficient by more than 1e-6.
TEST(FamilyPoles, BesselPolesMultiplyOutToTheBesselPolynomial) {
  for (int n = 2; n <= kMaxDesignOrder; ++n) {
    SCOPED_TRACE(testing::Message() << "order " << n);
    const DesignRecord record = Poles(kBessel, static_cast<int16_t>(n));
    const int odd = n % 2;
    std::vector<double> product{1.0};
    auto multiply = [&product](std::vector<double> factor) {
      std::vector<double> result(product.size() + factor.size() - 1, 0.0);
      for (size_t i = 0; i < product.size(); ++i)
        for (size_t j = 0; j < factor.size(); ++j)
          result[i + j] += product[i] * factor[j];
      product = result;
    };
    if (odd == 1) {
      multiply({record.PoleRe[1], 1.0});
      EXPECT_EQ(record.PoleIm[0], 0.0f);
    }
    for (int j = 1; j <= n / 2; ++j) {
      const double re = record.PoleRe[j + odd];
      const double im = record.PoleIm[j];
      multiply({re * re + im * im, 2.0 * re, 1.0});
    }
    for (int k = 0; k <= n; ++k) {
      const double expected = std::exp(std::lgamma(2.0 * n - k + 1) - std::lgamma(k + 1.0) -
                                       std::lgamma(n - k + 1.0) - (n - k) * std::log(2.0));
      EXPECT_NEAR(product[k], expected, 1e-6 * expected) << "s^" << k;
    }
  }
}

// Stale slots are cleared; manual and unknown families touch nothing; an order the arrays cannot
// hold gives no poles at all.
TEST(FamilyPoles, SlotsOutsideTheDesign) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    SCOPED_TRACE(testing::Message() << "family " << family);
    const DesignRecord four = Poles(family, 4, 0.5f, 9.0f);
    EXPECT_EQ(four.PoleRe[0] + four.PoleIm[0] + four.PoleRe[3] + four.PoleIm[4], 0.0f);
    for (const int16_t order :
         {int16_t{0}, int16_t{-7}, int16_t{kMaxDesignOrder + 1}, int16_t{43},
          std::numeric_limits<int16_t>::max(), std::numeric_limits<int16_t>::min()}) {
      const DesignRecord record = Poles(family, order, 1.0f, 3.0f);
      const int cleared = std::min<int>(std::max<int>(order, 0), kMaxPoleSlot);
      for (int i = 0; i <= cleared; ++i)
        ASSERT_EQ(record.PoleRe[i], 0.0f) << "order " << order << " slot " << i;
    }
  }
  for (const int16_t family : {int16_t{0}, int16_t{kManual}, int16_t{5}, int16_t{-1}}) {
    const DesignRecord record = Poles(family, 3, 0.0f, 7.0f);
    EXPECT_EQ((std::vector{record.PoleRe[1], record.PoleIm[0]}), (std::vector{7.0f, 7.0f}))
        << family;
  }
}

}  // namespace
}  // namespace kestro
