#include "synthesis/family_poles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <vector>

namespace kestro {
namespace {

using LongComplex = std::complex<long double>;

DesignRecord PoleDesign(int16_t family, int16_t order, float apass = 0.0f) {
  DesignRecord record;
  record.Family = family;
  record.Order = order;
  record.Apass = apass;
  return record;
}

// --- Published prototype poles ---

struct SlotCase {
  const char* name;
  int16_t family;
  int16_t order;
  float apass;
  std::vector<float> poleRe;  // slots 0.. of PoleRe
  std::vector<float> poleIm;  // slots 0.. of PoleIm
};

class PublishedPoles : public ::testing::TestWithParam<SlotCase> {};

// Reference values from filter tables, given to four digits.
TEST_P(PublishedPoles, SlotsHoldTheTableValues) {
  const SlotCase& c = GetParam();
  DesignRecord record = PoleDesign(c.family, c.order, c.apass);
  ComputeFamilyPoles(record);
  for (size_t i = 0; i < c.poleRe.size(); ++i) {
    EXPECT_NEAR(record.PoleRe[i], c.poleRe[i], 1e-4) << "PoleRe[" << i << "]";
  }
  for (size_t i = 0; i < c.poleIm.size(); ++i) {
    EXPECT_NEAR(std::abs(record.PoleIm[i]), c.poleIm[i], 1e-4) << "PoleIm[" << i << "]";
  }
  EXPECT_FLOAT_EQ(record.Pi, static_cast<float>(M_PI));
}

INSTANTIATE_TEST_SUITE_P(
    Families, PublishedPoles,
    ::testing::Values(
        SlotCase{"Butterworth2", kButterworth, 2, 0, {0, 0.70711f, 0}, {0, 0.70711f, 0}},
        SlotCase{"Butterworth3", kButterworth, 3, 0, {0, 1.0f, 0.5f, 0}, {0, 0.86603f, 0}},
        SlotCase{"Chebyshev2At1dB", kChebyshev, 2, 1.0f, {0, 0.54889f, 0}, {0, 0.89513f, 0}},
        SlotCase{"Bessel2", kBessel, 2, 0, {0, 1.5f, 0}, {0, 0.86603f, 0}},
        SlotCase{"Bessel3", kBessel, 3, 0, {0, 2.32219f, 1.83891f, 0}, {0, 1.75438f, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Bessel roots against an independent root finder ---

// Reverse Bessel polynomial from its closed form a_k = (2n-k)! / (2^(n-k) k! (n-k)!), made monic.
std::vector<long double> MonicBesselCoefficients(int n) {
  std::vector<long double> a(n + 1);
  for (int k = 0; k <= n; ++k) {
    a[k] = std::exp(std::lgamma(2.0L * n - k + 1) - std::lgamma(k + 1.0L) -
                    std::lgamma(n - k + 1.0L) - (n - k) * std::log(2.0L));
  }
  const long double lead = a[n];
  for (long double& value : a) {
    value /= lead;
  }
  return a;
}

// Durand-Kerner (Weierstrass) simultaneous iteration in long double.
std::vector<LongComplex> DurandKernerRoots(const std::vector<long double>& a) {
  const int n = static_cast<int>(a.size()) - 1;
  std::vector<LongComplex> z(n);
  const LongComplex seed(0.4L, 0.9L);
  for (int i = 0; i < n; ++i) {
    z[i] = static_cast<long double>(n) * std::pow(seed, static_cast<long double>(i));
  }
  for (int iteration = 0; iteration < 2000; ++iteration) {
    for (int i = 0; i < n; ++i) {
      LongComplex value = 0;
      for (int k = n; k >= 0; --k) {
        value = value * z[i] + a[k];
      }
      LongComplex denominator = 1;
      for (int j = 0; j < n; ++j) {
        if (j != i) {
          denominator *= z[i] - z[j];
        }
      }
      z[i] -= value / denominator;
    }
  }
  return z;
}

// The poles a record's slots describe, one member (upper half plane) per pair.
std::vector<std::complex<double>> StoredPoles(const DesignRecord& record) {
  const int n = record.Order;
  const int offset = n % 2;
  std::vector<std::complex<double>> poles;
  if (offset == 1) {
    poles.emplace_back(-record.PoleRe[1], 0.0);
  }
  for (int j = 1; j <= n / 2; ++j) {
    poles.emplace_back(-record.PoleRe[j + offset], std::abs(record.PoleIm[j]));
  }
  return poles;
}

class BesselRoots : public ::testing::TestWithParam<int> {};

// Every stored pole is one of the reference roots (to single precision of about 1e-6 relative)
// and every reference root in the upper half plane is stored exactly once.
TEST_P(BesselRoots, MatchTheReferenceRootSet) {
  const int n = GetParam();
  DesignRecord record = PoleDesign(kBessel, static_cast<int16_t>(n));
  ComputeFamilyPoles(record);
  std::vector<LongComplex> reference = DurandKernerRoots(MonicBesselCoefficients(n));
  std::erase_if(reference, [](const LongComplex& z) { return z.imag() < -1e-12L; });
  const std::vector<std::complex<double>> stored = StoredPoles(record);
  ASSERT_EQ(stored.size(), reference.size());
  for (const LongComplex& root : reference) {
    int matches = 0;
    for (const std::complex<double>& pole : stored) {
      const double distance = std::abs(std::complex<double>(root) - pole);
      matches += distance <= 2e-6 * std::abs(std::complex<double>(root)) ? 1 : 0;
    }
    EXPECT_EQ(matches, 1) << "order " << n << " root " << std::complex<double>(root);
  }
}

INSTANTIATE_TEST_SUITE_P(Orders2To10AndBeyond, BesselRoots, ::testing::Range(2, 24));

// The three-pole stage needs the real root in PoleRe[1]: it is the real reference root.
TEST(BesselRoots, OddOrdersKeepTheRealRootInSlotOne) {
  for (int n = 3; n <= 11; n += 2) {
    DesignRecord record = PoleDesign(kBessel, static_cast<int16_t>(n));
    ComputeFamilyPoles(record);
    const std::vector<LongComplex> reference = DurandKernerRoots(MonicBesselCoefficients(n));
    long double realRoot = 0;
    for (const LongComplex& z : reference) {
      if (std::abs(z.imag()) < 1e-9L) {
        realRoot = z.real();
      }
    }
    EXPECT_NEAR(record.PoleRe[1], -static_cast<double>(realRoot), 1e-5) << "order " << n;
    EXPECT_EQ(record.PoleIm[0], 0.0f);
  }
}

// --- Slots and orders the arrays cannot hold ---

TEST(PoleSlots, StaleValuesOfTheUsedSlotsAreCleared) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    DesignRecord record = PoleDesign(family, 4, 0.5f);
    record.PoleRe.fill(9.0f);
    record.PoleIm.fill(9.0f);
    ComputeFamilyPoles(record);
    EXPECT_EQ(record.PoleRe[0], 0.0f) << family;
    EXPECT_EQ(record.PoleIm[0], 0.0f) << family;
    EXPECT_EQ(record.PoleRe[3], 0.0f) << family;
    EXPECT_EQ(record.PoleIm[4], 0.0f) << family;
  }
}

TEST(PoleSlots, ManualAndUnknownFamiliesLeaveEverythingAlone) {
  for (const int16_t family : {int16_t{0}, int16_t{kManual}, int16_t{5}, int16_t{-1}}) {
    DesignRecord record = PoleDesign(family, 3);
    record.PoleRe.fill(7.0f);
    record.PoleIm.fill(7.0f);
    ComputeFamilyPoles(record);
    EXPECT_EQ(record.PoleRe[1], 7.0f) << family;
    EXPECT_EQ(record.PoleIm[0], 7.0f) << family;
    EXPECT_EQ(record.Pi, 0.0f) << family;
  }
}

TEST(PoleSlots, OrdersOutsideTheArraysGiveNoPoles) {
  for (const int16_t family : {kButterworth, kChebyshev, kBessel}) {
    for (const int16_t order :
         {int16_t{0}, int16_t{-7}, int16_t{kMaxDesignOrder + 1}, int16_t{42}, int16_t{43},
          std::numeric_limits<int16_t>::max(), std::numeric_limits<int16_t>::min()}) {
      DesignRecord record = PoleDesign(family, order, 1.0f);
      record.PoleRe.fill(3.0f);
      ComputeFamilyPoles(record);
      const int cleared = std::min<int>(std::max<int>(order, 0), kMaxPoleSlot);
      for (int i = 0; i <= cleared; ++i) {
        ASSERT_EQ(record.PoleRe[i], 0.0f) << family << " order " << order << " slot " << i;
      }
    }
  }
}

}  // namespace
}  // namespace kestro
