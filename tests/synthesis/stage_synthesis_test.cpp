#include "synthesis/stage_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/scripted_dialogs.h"
#include "synthesis/family_poles.h"

namespace kestro {
namespace {

constexpr float kFloor = 1e-13f;

DesignRecord FamilyDesign(int16_t family, int16_t order, float bandwidth, float apass = 0.0f) {
  DesignRecord record;
  record.Family = family;
  record.Order = order;
  record.Bandwidth = bandwidth;
  record.Apass = apass;
  return record;
}

// --- Nominal resistor and stage count ---

struct RnomCase {
  float bandwidth;
  float rnom;
};

class NominalResistor : public ::testing::TestWithParam<RnomCase> {};

TEST_P(NominalResistor, FollowsTheBandwidthTable) {
  DesignRecord record = FamilyDesign(kButterworth, 2, GetParam().bandwidth);
  ChooseRnom(record);
  EXPECT_EQ(record.Rnom, GetParam().rnom);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, NominalResistor,
                         ::testing::Values(RnomCase{10, 1000000}, RnomCase{49.99f, 1000000},
                                           RnomCase{50, 470000}, RnomCase{99.9f, 470000},
                                           RnomCase{100, 220000}, RnomCase{199, 220000},
                                           RnomCase{200, 100000}, RnomCase{499.9f, 100000},
                                           RnomCase{500, 47000}, RnomCase{1000, 47000},
                                           RnomCase{1000.1f, 22000}, RnomCase{2000, 22000},
                                           RnomCase{2000.5f, 10000}, RnomCase{5000, 10000},
                                           RnomCase{5000.5f, 4700}, RnomCase{1e7f, 4700}));

TEST(StageCount, OddOrdersHaveOneThreePoleStage) {
  const struct {
    int16_t order;
    float stages;
  } cases[] = {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {10, 5}, {11, 5}};
  for (const auto& c : cases) {
    DesignRecord record = FamilyDesign(kButterworth, c.order, 1000);
    CountStages(record);
    EXPECT_EQ(record.NrStages, c.stages) << "order " << c.order;
  }
}

TEST(Resistors, UsedStagesGetRnomAndTheRestAreCleared) {
  for (const int16_t order : {int16_t{4}, int16_t{5}}) {
    DesignRecord record = FamilyDesign(kButterworth, order, 1000);
    for (auto& stage : record.R) {
      stage.fill(123.0f);
    }
    CountStages(record);
    ChooseRnom(record);
    AssignResistors(record);
    EXPECT_EQ(record.R[1][1], order % 2 ? 47000.0f : 0.0f) << order;
    for (int s = 1; s <= 2; ++s) {
      EXPECT_EQ(record.R[s][2], 47000.0f);
      EXPECT_EQ(record.R[s][3], 47000.0f);
    }
    EXPECT_EQ(record.R[2][1], 0.0f);
    for (int s = 3; s <= kMaxStage; ++s) {
      EXPECT_EQ(record.R[s][1] + record.R[s][2] + record.R[s][3], 0.0f) << "stage " << s;
    }
  }
}

// --- Capacitor values ---

struct StageValues {
  const char* name;
  int16_t order;
  float c1;
  float c2;
  float c3;
};

class ButterworthStageOne : public ::testing::TestWithParam<StageValues> {};

// Published values for 1000 Hz with 47 kOhm resistors, given to four digits (0.1 % tolerance).
TEST_P(ButterworthStageOne, MatchesPublishedValues) {
  const StageValues& v = GetParam();
  DesignRecord record = FamilyDesign(kButterworth, v.order, 1000);
  test::ScriptedDialogs dialogs;
  ASSERT_TRUE(SynthesizeFamilyDesign(record, dialogs));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(record.R[1][1], v.order == 3 ? 47000.0f : 0.0f);
  EXPECT_EQ(record.R[1][2], 47000.0f);
  EXPECT_EQ(record.R[1][3], 47000.0f);
  EXPECT_NEAR(record.C[1][1], v.c1, 1e-3 * v.c1);
  EXPECT_NEAR(record.C[1][2], v.c2, 1e-3 * v.c2);
  EXPECT_NEAR(record.C[1][3], v.c3, 1e-3 * v.c3);
}

INSTANTIATE_TEST_SUITE_P(At1kHz, ButterworthStageOne,
                         ::testing::Values(StageValues{"Order2", 2, kFloor, 4.789e-9f, 2.394e-9f},
                                           StageValues{"Order3", 3, 4.716e-9f, 12.01e-9f,
                                                       0.686e-9f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Capacitors, StagesBeyondTheDesignKeepTheFloorAndTheAmplifierPair) {
  for (const int16_t order : {int16_t{4}, int16_t{7}}) {
    DesignRecord record = FamilyDesign(kChebyshev, order, 3000, 0.5f);
    for (auto& stage : record.C) {
      stage.fill(5e-9f);
    }
    for (auto& stage : record.R) {
      stage.fill(5.0f);
    }
    test::ScriptedDialogs dialogs;
    ASSERT_TRUE(SynthesizeFamilyDesign(record, dialogs));
    for (int s = 0; s <= kMaxStage; ++s) {
      EXPECT_EQ(record.R[s][4], 1e-5f) << s;
      EXPECT_EQ(record.R[s][5], 1.0f) << s;
      EXPECT_EQ(record.StageGain[s], 1.0f) << s;
      const bool used = s >= 1 && s <= order / 2;
      for (int k = 1; k <= 3; ++k) {
        const bool absentC1 = k == 1 && !(order % 2 == 1 && s == 1);
        if (!used || absentC1) {
          EXPECT_EQ(record.C[s][k], kFloor) << "stage " << s << " k " << k;
        } else {
          EXPECT_GT(record.C[s][k], 1e-12f) << "stage " << s << " k " << k;
        }
      }
    }
  }
}

// --- Failure path ---

struct FailureCase {
  const char* name;
  void (*spoil)(DesignRecord&);
  int firstFailedStage;
};

class ComputeCapsFailure : public ::testing::TestWithParam<FailureCase> {};

// A design that cannot be solved shows the message once, ends, and leaves the failed stage and
// every later stage at the capacitor floor; stages solved before it keep their values.
TEST_P(ComputeCapsFailure, ReportsOnceAndLeavesTheFloor) {
  DesignRecord record = FamilyDesign(kButterworth, 7, 1000);
  CountStages(record);
  ChooseRnom(record);
  AssignResistors(record);
  ComputeFamilyPoles(record);
  GetParam().spoil(record);
  test::ScriptedDialogs dialogs;
  EXPECT_FALSE(ComputeCaps(record, dialogs));
  ASSERT_EQ(dialogs.Texts(),
            std::vector<std::string>{"We have an error in the ComputeCaps routine"});
  for (int s = 0; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k) {
      if (s >= GetParam().firstFailedStage || s == 0 || (k == 1 && s > 1)) {
        EXPECT_EQ(record.C[s][k], kFloor) << "stage " << s << " k " << k;
      } else {
        EXPECT_GT(record.C[s][k], 1e-12f) << "stage " << s << " k " << k;
      }
    }
  }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Spoiled, ComputeCapsFailure,
    ::testing::Values(
        FailureCase{"NaNRealPole", [](DesignRecord& r) { r.PoleRe[1] = kNaN; }, 1},
        FailureCase{"InfinitePair", [](DesignRecord& r) { r.PoleIm[1] = kInf; }, 1},
        FailureCase{"ZeroPoles", [](DesignRecord& r) { r.PoleRe.fill(0); }, 1},
        FailureCase{"UndampedPair", [](DesignRecord& r) { r.PoleRe[2] = 0.0f; }, 1},
        FailureCase{"RealPoleFarBeyondThePair", [](DesignRecord& r) { r.PoleRe[1] = 1e-30f; }, 1},
        // The descending search never sees y1 = y2 for these: it must give up, not hang.
        FailureCase{"SearchFindsNoCrossingForQ50",
                    [](DesignRecord& r) { r.PoleRe[1] = r.PoleRe[2] = 1, r.PoleIm[1] = 100; }, 1},
        FailureCase{"SearchFindsNoCrossingForALowRealPole",
                    [](DesignRecord& r) { r.PoleRe[1] = 0.01f, r.PoleRe[2] = r.PoleIm[1] = 1; }, 1},
        FailureCase{"NaNInTheLastPair", [](DesignRecord& r) { r.PoleRe[4] = kNaN; }, 3},
        FailureCase{"ZeroResistorInStageTwo", [](DesignRecord& r) { r.R[2][2] = 0; }, 2},
        FailureCase{"ZeroBandwidth", [](DesignRecord& r) { r.Bandwidth = 0; }, 1},
        FailureCase{"NegativeBandwidth", [](DesignRecord& r) { r.Bandwidth = -1000; }, 1},
        FailureCase{"OrderOne", [](DesignRecord& r) { r.Order = 1; }, 1},
        FailureCase{"OrderBeyondTheStageArrays",
                    [](DesignRecord& r) { r.Order = kMaxDesignOrder + 1; }, 1},
        FailureCase{"NegativeOrder", [](DesignRecord& r) { r.Order = -3; }, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeCapsFailureRecovery, AFollowingGoodDesignSucceedsSilently) {
  DesignRecord record = FamilyDesign(kBessel, 5, 1000);
  test::ScriptedDialogs dialogs;
  record.Bandwidth = -1;
  EXPECT_FALSE(SynthesizeFamilyDesign(record, dialogs));
  record.Bandwidth = 1000;
  EXPECT_TRUE(SynthesizeFamilyDesign(record, dialogs));
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace kestro
