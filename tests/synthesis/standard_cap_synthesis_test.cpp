// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/standard_cap_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <vector>

#include "analysis/response_engine.h"
#include "synthesis/part_rounding.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

DesignRecord Family(int16_t family, int16_t order, float bandwidth, float apass) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family, record.Order = order, record.Bandwidth = bandwidth;
  record.Apass = apass;
  return record;
}

// Gain (dB) of the ideal prototype at f Hz: the product of the pole factors p / (j w + p), each
// pole scaled to the bandwidth. Even Chebyshev orders are lifted by the ripple, as the cascade
// of unity-gain stages keeps 0 dB at DC.
double PrototypeGain(const DesignRecord& poles, double f) {
  const std::complex<double> s(0.0, f / poles.Bandwidth);
  const int n = poles.Order;
  std::vector<std::complex<double>> p;
  if (n % 2 == 1)
    p.emplace_back(-poles.PoleRe[1], 0.0);
  for (int j = 1; j <= n / 2; ++j) {
    const double re = poles.PoleRe[n % 2 == 1 ? j + 1 : j];
    p.emplace_back(-re, poles.PoleIm[j]);
    p.emplace_back(-re, -poles.PoleIm[j]);
  }
  std::complex<double> h = 1.0;
  for (const auto& pole : p)
    h *= -pole / (s - pole);
  return 20.0 * std::log10(std::abs(h));
}

struct Worst {
  double passband = 0;  // dB, where the prototype is above -3 dB
  double stopband = 0;  // dB, from -3 dB down to -40 dB
};

void CompareWithPrototype(DesignRecord& design, const DesignRecord& poles, Worst& worst) {
  for (int i = 0; i <= 400; ++i) {
    const double f = design.Bandwidth * std::pow(10.0, -2.0 + 3.3 * i / 400.0);
    const double ideal = PrototypeGain(poles, f);
    if (ideal < -40.0)
      break;
    float gain = 0, phase = 0;
    ResponseAt(design, static_cast<float>(f), gain, phase);
    const double error = std::abs(gain - ideal);
    double& bound = ideal > -3.0 ? worst.passband : worst.stopband;
    bound = std::max(bound, error);
    EXPECT_LT(error, ideal > -3.0 ? 0.1 : 0.5) << f << " Hz, ideal " << ideal << " dB";
  }
}

void ExpectStandardParts(const DesignRecord& design) {
  for (int s = 1; s <= StageCount(design); ++s) {
    const bool threePole = s == 1 && design.Order % 2 == 1;
    for (int k = threePole ? 1 : 2; k <= 3; ++k) {
      EXPECT_FLOAT_EQ(StandardSeries::E12().Nearest(design.C[s][k]), design.C[s][k]) << s << k;
      EXPECT_FLOAT_EQ(StandardSeries::E96().Nearest(design.R[s][k]), design.R[s][k]) << s << k;
      EXPECT_GT(design.R[s][k], 0.0f);
    }
    EXPECT_EQ(design.R[s][1] > 0.0f, threePole);
  }
}

// Capacitors chosen from E12 for resistors to be rounded to E96, then rounded, stay within 0.1 dB
// of the ideal prototype above -3 dB and within 0.5 dB down to -40 dB, for every family and order.
TEST(StandardCapSynthesis, E12CapacitorsWithE96ResistorsFollowThePrototype) {
  const struct {
    int16_t family;
    float apass;
  } families[] = {{kButterworth, 0}, {kChebyshev, 0.5f}, {kChebyshev, 1.0f}, {kBessel, 0}};
  Worst worst;
  for (const auto& fam : families) {
    for (int16_t order = 2; order <= 10; ++order) {
      for (const float bandwidth : {37.0f, 1000.0f, 4321.0f, 20000.0f}) {
        SCOPED_TRACE(testing::Message() << "family " << fam.family << " ripple " << fam.apass
                                        << " order " << order << " at " << bandwidth << " Hz");
        DesignRecord design = Family(fam.family, order, bandwidth, fam.apass);
        const StandardCapsOutcome outcome =
            SynthesizeWithStandardCaps(design, StandardSeries::E12(), &StandardSeries::E96());
        ASSERT_TRUE(outcome.solved);
        EXPECT_EQ(outcome.message, "");
        RoundToSeries(design, PartSeries::For(RoundedParts::kResistors, StandardSeries::E96()));
        ExpectStandardParts(design);
        CompareWithPrototype(design, design, worst);
      }
    }
  }
  std::printf("worst deviation: %.4f dB above -3 dB, %.4f dB down to -40 dB\n", worst.passband,
              worst.stopband);
}

// Without a resistor series each pair is the admissible one whose resistors lie nearest Rnom.
// Expected pairs and resistors from a brute-force search over E12 in python3 (the prototype
// poles of scipy.signal.buttap and besselap(4, norm='delay')).
TEST(StandardCapSynthesis, PairsWithResistorsNearestTheImpedanceLevel) {
  const struct {
    int16_t family, order;
    float bandwidth;
    double c2, c3, r2, r3;
  } cases[] = {{kButterworth, 2, 1000, 4.7e-9, 2.2e-9, 64078.25, 38230.42},
               {kBessel, 4, 4321, 1.8e-9, 0.68e-9, 11303.05, 8536.066},
               {kBessel, 4, 4321, 1.2e-9, 1.0e-9, 15210.18, 8132.121}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "order " << c.order << " C2 " << c.c2);
    DesignRecord design = Family(c.family, c.order, c.bandwidth, 0);
    ASSERT_TRUE(SynthesizeWithStandardCaps(design, StandardSeries::E12()).solved);
    // Which stage holds which pair follows the root finder: take the one with this C2.
    const int s = std::abs(design.C[1][2] - c.c2) < std::abs(design.C[2][2] - c.c2) ? 1 : 2;
    EXPECT_NEAR(design.C[s][2], c.c2, c.c2 * 1e-6);
    EXPECT_NEAR(design.C[s][3], c.c3, c.c3 * 1e-6);
    EXPECT_NEAR(design.R[s][2], c.r2, c.r2 * 2e-5);
    EXPECT_NEAR(design.R[s][3], c.r3, c.r3 * 2e-5);
    EXPECT_EQ(design.R[s][1], 0.0f);
  }
}

// A three-pole stage that no set of E6 capacitors near its computed ones can realise with
// positive resistors (10 dB ripple) keeps the parts the plain synthesis gave it, and the outcome
// says so; the two-pole stage still takes E6 capacitors.
TEST(StandardCapSynthesis, AStageWithoutPositiveResistorsKeepsItsComputedParts) {
  DesignRecord design = Family(kChebyshev, 5, 1000, 10.0f);
  DesignRecord plain = design;
  ASSERT_TRUE(SynthesizeFamilyDesign(plain));
  const StandardCapsOutcome outcome = SynthesizeWithStandardCaps(design, StandardSeries::E6());
  EXPECT_TRUE(outcome.solved);
  EXPECT_EQ(outcome.computedStages, (std::vector<int>{1}));
  EXPECT_EQ(outcome.message,
            "No E6 capacitors give stage 1 positive resistors; it keeps its computed capacitors.");
  EXPECT_EQ(design.C[1], plain.C[1]);
  EXPECT_EQ(design.R[1], plain.R[1]);
  EXPECT_FLOAT_EQ(StandardSeries::E6().Nearest(design.C[2][2]), design.C[2][2]);
  EXPECT_NE(design.C[2][2], plain.C[2][2]);
  DesignRecord broken = Family(kButterworth, 40, 1000, 0);  // no such order: nothing solved
  EXPECT_FALSE(SynthesizeWithStandardCaps(broken, StandardSeries::E6()).solved);
}

}  // namespace
}  // namespace kestro
