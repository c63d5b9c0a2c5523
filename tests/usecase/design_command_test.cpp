// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/design_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "support/scripted_dialogs.h"

namespace kestro {
namespace {

// The opening page with a hand-made two-pole stage of 10 kOhm, 10 nF and 2.2 nF (corner near
// 1 / (2 pi R sqrt(C2 C3)) = 3393 Hz) and low capacitors elsewhere.
DesignRecord Finished(int16_t family, int16_t partsModified, int16_t order = 2) {
  const bool solvable = order >= 2;
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family, record.PartsModified = partsModified, record.Order = order;
  record.Bandwidth = 1000, record.FreqAxisMode = 0, record.R[1][2] = record.R[1][3] = 10000;
  record.C[1][2] = 10e-9f, record.C[1][3] = 2.2e-9f;
  const float low[] = {0.0f, -1e-9f, 1e-14f, std::numeric_limits<float>::quiet_NaN(),
                       -std::numeric_limits<float>::infinity()};
  for (int s = 2; s <= kMaxStage; ++s)
    record.C[s][1 + s % 3] = low[s % 5];
  record.C[0][1] = 0.0f;
  record.Gain.fill(99.0f);
  test::ScriptedDialogs dialogs;
  EXPECT_EQ(FinishDesignCommand(record, dialogs), solvable);
  EXPECT_EQ(dialogs.Texts(),
            solvable ? std::vector<std::string>{}
                     : std::vector<std::string>{"We have an error in the ComputeCaps routine"});
  return record;
}

// Only a family design whose parts are not the user's is synthesised; whatever is kept is
// analysed, with every capacitor raised to the floor first.
TEST(DesignCommand, SynthesisesOnlyFamilyDesignsThatAreNotTheUsers) {
  const struct {
    int16_t family, partsModified;
    bool synthesised;
  } cases[] = {{kButterworth, 0, true}, {kButterworth, 1, false}, {kBessel, 1, false},
               {kManual, 1, false},     {kManual, 0, false},      {0, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "family " << c.family << " modified " << c.partsModified);
    DesignRecord record = Finished(c.family, c.partsModified);
    EXPECT_EQ(record.R[1][2], c.synthesised ? 47000.0f : 10000.0f);
    EXPECT_EQ(record.C[1][2] == 10e-9f, !c.synthesised) << "C2 of stage 1: " << record.C[1][2];
    for (int s = 0; s <= kMaxStage; ++s) {
      for (int k = 1; k <= 3; ++k)
        EXPECT_GE(record.C[s][k], 1e-13f) << "stage " << s << " k " << k;
    }
    EXPECT_EQ(record.C[0][0], 0.0f);  // k = 0 is not a capacitor
    // Butterworth is -3.01 dB at 1000 Hz; the hand-made stage passes it.
    EXPECT_FLOAT_EQ(record.Freq[512], record.Fstop);
    EXPECT_NEAR(record.Gain[0], c.synthesised ? -3.01 : 0.0, c.synthesised ? 0.01 : 0.5);
  }
}

// The failure is shown once (in Finished) and the parts left are analysed.
TEST(DesignCommand, AFailedSynthesisIsReportedAndStillAnalysed) {
  const DesignRecord record = Finished(kButterworth, 0, 1);
  EXPECT_NE(record.Gain[0], 99.0f);
  EXPECT_TRUE(std::isfinite(record.Gain[record.Nints]));
}

}  // namespace
}  // namespace kestro
