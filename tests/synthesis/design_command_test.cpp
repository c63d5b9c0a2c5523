#include "synthesis/design_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/response_engine.h"
#include "support/scripted_dialogs.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

constexpr float kFloor = 1e-13f;

DesignRecord DesignWithParts(int16_t family, int16_t partsModified) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family;
  record.PartsModified = partsModified;
  record.Order = 2;
  record.Bandwidth = 1000;
  // A hand-made two-pole stage: 10 kOhm, 10 nF and 2.2 nF.
  record.R[1][2] = 10000;
  record.R[1][3] = 10000;
  record.C[1][2] = 10e-9f;
  record.C[1][3] = 2.2e-9f;
  return record;
}

TEST(DesignCommand, RaisesEveryCapacitorBelowTheFloor) {
  DesignRecord record = DesignWithParts(kManual, 1);
  const float low[] = {0.0f, -1e-9f, 1e-14f, std::numeric_limits<float>::quiet_NaN(),
                       -std::numeric_limits<float>::infinity()};
  for (int s = 2; s <= kMaxStage; ++s) {
    record.C[s][1 + s % 3] = low[s % 5];
  }
  record.C[0][1] = 0.0f;
  test::ScriptedDialogs dialogs;
  FinishDesignCommand(record, dialogs);
  for (int s = 0; s <= kMaxStage; ++s) {
    for (int k = 1; k <= 3; ++k) {
      EXPECT_GE(record.C[s][k], kFloor) << "stage " << s << " k " << k;
    }
  }
  EXPECT_EQ(record.C[1][2], 10e-9f);  // values above the floor are kept
  EXPECT_EQ(record.C[0][0], 0.0f);    // k = 0 is not a capacitor
}

// Whose parts are analysed: the user's (manual, or modified) or freshly synthesised ones.
struct OwnerCase {
  const char* name;
  int16_t family;
  int16_t partsModified;
  bool synthesised;
};

class DesignCommandParts : public ::testing::TestWithParam<OwnerCase> {};

TEST_P(DesignCommandParts, SynthesisesOnlyFamilyDesignsThatAreNotTheUsers) {
  const OwnerCase& c = GetParam();
  DesignRecord record = DesignWithParts(c.family, c.partsModified);
  record.FreqAxisMode = 0;
  test::ScriptedDialogs dialogs;
  FinishDesignCommand(record, dialogs);
  EXPECT_EQ(record.FreqAxisMode, 2);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(record.R[1][2] == 47000.0f, c.synthesised);
  EXPECT_EQ(record.C[1][2] == 10e-9f, !c.synthesised);
  // The response of what was kept: the hand-made stage has its corner near
  // 1 / (2 pi R sqrt(C2 C3)) = 3393 Hz, the Butterworth design -3.01 dB at 1000 Hz.
  const int last = record.Nints;
  ASSERT_EQ(last, 512);
  EXPECT_FLOAT_EQ(record.Freq[last], record.Fstop);
  float gain = 0;
  float phase = 0;
  ResponseAt(record, 1000.0f, gain, phase);
  if (c.synthesised) {
    EXPECT_NEAR(gain, -3.01, 0.01);
  } else {
    EXPECT_GT(gain, -0.5);
  }
  EXPECT_FLOAT_EQ(record.Gain[0], gain);  // Fstart is 1000 Hz
}

INSTANTIATE_TEST_SUITE_P(Owners, DesignCommandParts,
                         ::testing::Values(OwnerCase{"Butterworth", kButterworth, 0, true},
                                           OwnerCase{"ButterworthWithUserParts", kButterworth, 1,
                                                     false},
                                           OwnerCase{"BesselWithUserParts", kBessel, 1, false},
                                           OwnerCase{"Manual", kManual, 1, false},
                                           OwnerCase{"ManualFlagNotSet", kManual, 0, false},
                                           OwnerCase{"FamilyNeverSet", 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DesignCommand, AFailedSynthesisIsReportedAndStillAnalysed) {
  DesignRecord record = DesignWithParts(kButterworth, 0);
  record.Order = 1;
  record.Gain.fill(99.0f);
  test::ScriptedDialogs dialogs;
  FinishDesignCommand(record, dialogs);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{std::string(kComputeCapsError)});
  EXPECT_NE(record.Gain[0], 99.0f);
  EXPECT_TRUE(std::isfinite(record.Gain[record.Nints]));
}

}  // namespace
}  // namespace kestro
