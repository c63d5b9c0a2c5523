// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/stage_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

struct FamilyCase {
  int16_t family;
  int16_t order;
  float apass;
  float bandwidth;
};

const FamilyCase kDesigns[] = {{kButterworth, 4, 0, 10000}, {kButterworth, 5, 0, 1000},
                               {kChebyshev, 6, 1, 20000},   {kChebyshev, 7, 3, 300},
                               {kBessel, 5, 0, 3000},       {kBessel, 8, 0, 50}};

DesignRecord Design(const FamilyCase& c) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = c.family, record.Order = c.order, record.Apass = c.apass;
  record.Bandwidth = c.bandwidth;
  EXPECT_TRUE(SynthesizeFamilyDesign(record));
  return record;
}

// The pole pair -sigma +/- j omega of the normalised prototype scaled to the bandwidth has
// f0 = bandwidth |sigma + j omega| and Q = |sigma + j omega| / (2 sigma); the real pole
// -sigma0 is at bandwidth sigma0. Each stage's figures, read back from its parts, must show
// its pair (the three-pole stage the lowest pair and the real pole).
TEST(StageFigures, PairsOfEveryStageAreThePolesOfTheDesign) {
  for (const FamilyCase& c : kDesigns) {
    const DesignRecord record = Design(c);
    const std::vector<StageFigures> figures = ComputeStageFigures(record);
    const bool odd = c.order % 2 == 1;
    ASSERT_EQ(figures.size(), static_cast<std::size_t>(c.order / 2));
    for (const StageFigures& f : figures) {
      SCOPED_TRACE(testing::Message()
                   << "family " << c.family << " order " << c.order << " stage " << f.stage);
      const double sigma = record.PoleRe[odd ? f.stage + 1 : f.stage];
      const double omega = record.PoleIm[f.stage];
      const double size = std::hypot(sigma, omega);
      EXPECT_EQ(f.threePole, odd && f.stage == 1);
      EXPECT_NEAR(f.f0Hz, c.bandwidth * size, 1e-5 * c.bandwidth * size);
      EXPECT_NEAR(f.q, size / (2 * sigma), 1e-5 * size / (2 * sigma));
      const double real = f.threePole ? c.bandwidth * record.PoleRe[1] : 0.0;
      EXPECT_NEAR(f.realPoleHz, real, 1e-5 * real);
    }
  }
}

// Figures follow the parts as they are: capacitors of a pair 10 % larger lower its f0 by 1.1
// and keep its Q; a resistor ratio moved from 1 changes the Q.
TEST(StageFigures, FollowThePartsAfterAChange) {
  DesignRecord record = Design(kDesigns[2]);
  const StageFigures before = ComputeStageFigures(record)[1];
  record.C[2][2] *= 1.1f, record.C[2][3] *= 1.1f;
  const StageFigures scaled = ComputeStageFigures(record)[1];
  EXPECT_NEAR(scaled.f0Hz, before.f0Hz / 1.1, 1e-5 * before.f0Hz);
  EXPECT_NEAR(scaled.q, before.q, 1e-5 * before.q);
  record.R[2][3] *= 2.0f;  // Q of R2 = R, R3 = 2R: sqrt(2 C2 C3) R / (3 R C3) = Q0 2 sqrt(2) / 3
  EXPECT_NEAR(ComputeStageFigures(record)[1].q, before.q * 2 * std::sqrt(2.0) / 3, 1e-4);
}

// The largest needed GBW keeps the whole filter close to its ideal response over its analysed
// range (within 0.3 dB); a tenth of it does not. Margins are GBW over needed.
TEST(StageFigures, NeededGbwKeepsTheFilterCloseToIdeal) {
  for (const FamilyCase& c : kDesigns) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " order " << c.order);
    DesignRecord record = Design(c);
    record.Fstart = c.bandwidth / 100, record.Fstop = c.bandwidth * 3;
    Analyze(record);
    const PointArray ideal = record.Gain;
    double needed = 0;
    for (const StageFigures& f : ComputeStageFigures(record))
      needed = std::max(needed, f.neededGbwHz);
    ASSERT_GT(needed, c.bandwidth);
    const auto worstDeviation = [&](double gbw) {
      record.OpampOn = 1, record.OpampGbw = static_cast<float>(gbw);
      Analyze(record);
      double worst = 0;
      for (int i = 0; i <= record.Nints; ++i)
        worst = std::max(worst, std::abs(double(record.Gain[i]) - ideal[i]));
      return worst;
    };
    EXPECT_LE(worstDeviation(needed), 0.3);
    EXPECT_GT(worstDeviation(needed / 10), 0.3);
    for (const StageFigures& f : ComputeStageFigures(record))
      EXPECT_NEAR(f.margin.value_or(0), record.OpampGbw / f.neededGbwHz, 1e-9);
  }
}

// Full-power bandwidth SR / (2 pi A): 13 V/us at 10 V peak is 206.9014 kHz (hand-computed);
// it is flagged against the filter's bandwidth, and absent without a slew rate.
TEST(StageFigures, FullPowerBandwidthAgainstTheFilterBandwidth) {
  DesignRecord record = Design(kDesigns[1]);
  EXPECT_FALSE(ComputeOpampFigures(record).fullPowerBandwidthHz.has_value());
  EXPECT_FALSE(ComputeStageFigures(record)[0].margin.has_value());  // no op-amp chosen
  record.OpampSlewRate = 13, record.OpampAmplitude = 10;
  for (const float bandwidth : {200e3f, 210e3f}) {
    record.Bandwidth = bandwidth;
    const OpampFigures f = ComputeOpampFigures(record);
    EXPECT_NEAR(f.fullPowerBandwidthHz.value_or(0), 206901.4, 0.1);
    EXPECT_EQ(f.fullPowerBelowBandwidth, bandwidth > 206901.4f) << bandwidth;
  }
}

}  // namespace
}  // namespace kestro
