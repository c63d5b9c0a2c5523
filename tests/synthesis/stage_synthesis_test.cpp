// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/stage_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "synthesis/family_poles.h"

namespace kestro {
namespace {

constexpr float kFloor = 1e-13f;

DesignRecord FamilyDesign(int16_t family, int16_t order, float bandwidth, float apass = 0.0f) {
  DesignRecord record;
  record.Family = family, record.Order = order, record.Bandwidth = bandwidth, record.Apass = apass;
  return record;
}

// Stages 1..designedStages hold solved capacitors (C1 only in the three-pole stage 1 of an odd
// order); every other capacitor of stages 0..11 is at the floor, whatever it held before.
void ExpectCapacitors(const DesignRecord& record, int designedStages) {
  for (int s = 0; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k) {
      if (s >= 1 && s <= designedStages && (k > 1 || (record.Order % 2 == 1 && s == 1))) {
        EXPECT_GT(record.C[s][k], 1e-12f) << "stage " << s << " k " << k;
      } else {
        EXPECT_EQ(record.C[s][k], kFloor) << "stage " << s << " k " << k;
      }
    }
  }
}

// Published Butterworth values for 1000 Hz with 47 kOhm resistors, to four digits (0.1 %), and
// multi-stage designs. R2 = R3 = Rnom (by the bandwidth) in the used stages, R1 only in the
// three-pole stage; capacitors outside the design (stage 0, stages beyond NrStages, C1 of a
// two-pole stage) keep the floor, whatever either held; every amplifier pair is R4 = 1e-5, R5 = 1.
TEST(StageSynthesis, SolvedStagesAndThePartsOutsideTheDesign) {
  const struct {
    int16_t family, order;
    float bandwidth, apass, rnom;
    float c[4];  // C1..C3 of stage 1; C2 = 0: not checked
  } cases[] = {{kButterworth, 2, 1000, 0, 47000, {0, kFloor, 4.789e-9f, 2.394e-9f}},
               {kButterworth, 3, 1000, 0, 47000, {0, 4.716e-9f, 12.01e-9f, 0.686e-9f}},
               {kChebyshev, 4, 3000, 0.5f, 10000, {}},
               {kChebyshev, 7, 3000, 0.5f, 10000, {}}};
  for (const auto& v : cases) {
    SCOPED_TRACE(testing::Message() << "order " << v.order);
    DesignRecord record = FamilyDesign(v.family, v.order, v.bandwidth, v.apass);
    for (int s = 0; s <= kMaxStage; ++s) {
      record.C[s].fill(5e-9f);
      record.R[s].fill(5.0f);
    }
    ASSERT_TRUE(SynthesizeFamilyDesign(record));
    EXPECT_EQ(record.NrStages, std::floor(v.order / 2.0f));
    EXPECT_EQ((std::vector{record.R[0][4], record.R[0][5]}), (std::vector{1e-5f, 1.0f}));
    for (int s = 1; s <= kMaxStage; ++s) {
      const float used = s >= 1 && s <= v.order / 2 ? v.rnom : 0.0f;
      const float r1 = s == 1 && v.order % 2 == 1 ? v.rnom : 0.0f;
      EXPECT_EQ((std::vector(record.R[s].begin() + 1, record.R[s].end())),
                (std::vector{r1, used, used, 1e-5f, 1.0f}))
          << "stage " << s;
      EXPECT_EQ(record.StageGain[s], 1.0f) << "stage " << s;
    }
    ExpectCapacitors(record, v.order / 2);
    for (const int k : {1, 2, 3})
      EXPECT_NEAR(record.C[1][k], v.c[k], v.c[2] > 0 ? 1e-3 * v.c[k] : HUGE_VAL) << "C" << k;
  }
}

// A design that cannot be solved returns its failure, ends, and leaves the failed stage and
// every later stage at the capacitor floor; stages solved before it keep their values. A good
// design afterwards succeeds.
TEST(StageSynthesis, UnsolvableDesignsReportOnceAndLeaveTheFloor) {
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* name;
    void (*spoil)(DesignRecord&);
    int firstFailedStage;
  } cases[] = {
      {"NaN real pole", [](DesignRecord& r) { r.PoleRe[1] = nan; }, 1},
      {"undamped pair", [](DesignRecord& r) { r.PoleRe[2] = 0.0f; }, 1},
      {"real pole far beyond the pair", [](DesignRecord& r) { r.PoleRe[1] = 1e-30f; }, 1},
      // The descending search never sees a crossing for these: it must give up, not hang.
      {"no crossing at Q 50",
       [](DesignRecord& r) { r.PoleRe[1] = r.PoleRe[2] = 1, r.PoleIm[1] = 100; }, 1},
      {"no crossing for a low real pole",
       [](DesignRecord& r) { r.PoleRe[1] = 0.01f, r.PoleRe[2] = r.PoleIm[1] = 1; }, 1},
      {"NaN in the last pair", [](DesignRecord& r) { r.PoleRe[4] = nan; }, 3},
      {"zero resistor in stage 2", [](DesignRecord& r) { r.R[2][2] = 0; }, 2},
      {"zero bandwidth", [](DesignRecord& r) { r.Bandwidth = 0; }, 1},
      {"order beyond the arrays", [](DesignRecord& r) { r.Order = kMaxDesignOrder + 1; }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DesignRecord record = FamilyDesign(kButterworth, 7, 1000);
    CountStages(record);
    ChooseRnom(record);
    AssignResistors(record);
    ComputeFamilyPoles(record);
    c.spoil(record);
    EXPECT_FALSE(ComputeCaps(record));
    ExpectCapacitors(record, c.firstFailedStage - 1);
    record.Order = 5, record.Bandwidth = 1000;
    EXPECT_TRUE(SynthesizeFamilyDesign(record));
  }
}

}  // namespace
}  // namespace kestro
