// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/build_warnings.h"

#include <gtest/gtest.h>

#include <vector>

#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

DesignRecord Design(int16_t family, int16_t order, float apass, float bandwidth) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = family, record.Order = order, record.Apass = apass;
  record.Bandwidth = bandwidth;
  EXPECT_TRUE(SynthesizeFamilyDesign(record));
  return record;
}

std::vector<std::string> Texts(const DesignRecord& record) {
  std::vector<std::string> texts;
  for (const BuildWarning& w : BuildWarnings(record, ComputeStageFigures(record)))
    texts.push_back(w.text);
  return texts;
}

// A design at 1 kHz has parts of a few nF and 47k with Q below 2: nothing to warn of. Parts
// moved past each limit, each named with its value, the limit and the reason; the parts a
// two-pole stage does not have (R1 = 0, the C1 floor) are not parts.
TEST(BuildWarnings, PartsPastTheLimitsAreNamedWithTheirReason) {
  DesignRecord record = Design(kButterworth, 5, 0, 1000);
  EXPECT_EQ(Texts(record), std::vector<std::string>{});
  record.C[1][1] = 18e-12f;
  record.R[2][2] = 47, record.R[2][3] = 22e6f;
  record.C[2][3] = 21.9e-12f;
  EXPECT_EQ(Texts(record),
            (std::vector<std::string>{
                "Stage 1: C1 = 18pF is below 22pF (stray and op-amp input capacitance are of "
                "that size)",
                "Stage 2: R2 = 47 ohms is below 100 ohms (it loads the op-amp output)",
                "Stage 2: R3 = 22M ohms is above 10M ohms (noise, bias current and leakage are "
                "of its size)",
                "Stage 2: C3 = 21.9pF is below 22pF (stray and op-amp input capacitance are of "
                "that size)",
            }));
}

// The case that passed silently: Chebyshev 11 at 20 dB ripple and 10 MHz has a last pair of
// Q near 380 with capacitors well under 1 pF. Each of its high-Q stages warns of its Q and of
// the GBW it needs; the exact text of the Q warning is checked on the last stage.
TEST(BuildWarnings, ExtremeChebyshevWarnsOfQAndGbw) {
  const DesignRecord record = Design(kChebyshev, 11, 20, 10e6f);
  const std::vector<StageFigures> figures = ComputeStageFigures(record);
  const std::vector<BuildWarning> warnings = BuildWarnings(record, figures);
  int smallCaps = 0;
  int highQ = 0;
  int highGbw = 0;
  for (const BuildWarning& w : warnings) {
    smallCaps += w.kind == BuildWarningKind::SmallCapacitor;
    highQ += w.kind == BuildWarningKind::HighQ;
    highGbw += w.kind == BuildWarningKind::HighGbw;
  }
  int stagesOverQ = 0;
  for (const StageFigures& f : figures)
    stagesOverQ += f.q > 20;
  EXPECT_GE(stagesOverQ, 2);
  EXPECT_EQ(highQ, stagesOverQ);
  EXPECT_EQ(highGbw, 5);  // every stage needs far above 100 MHz at a 10 MHz bandwidth
  EXPECT_GE(smallCaps, 5);
  EXPECT_NEAR(figures[4].q, 380, 10);
  const auto last = std::find_if(warnings.begin(), warnings.end(), [](const BuildWarning& w) {
    return w.stage == 5 && w.kind == BuildWarningKind::HighQ;
  });
  ASSERT_NE(last, warnings.end());
  EXPECT_EQ(last->text.substr(0, 13), "Stage 5: Q = ");
  EXPECT_EQ(last->text.substr(16), " is above 20 (its gain peak follows every part's tolerance)");
}

}  // namespace
}  // namespace kestro
