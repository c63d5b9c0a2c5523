// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthesis/part_rounding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

DesignRecord FiveThousandOhmDesign() {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Order = 5;
  record.Bandwidth = 4321;
  EXPECT_TRUE(SynthesizeFamilyDesign(record));
  for (int s = 1; s <= 2; ++s) {
    record.R[s][2] = 4300;  // E96 4.32k, E12 4.7k
    record.R[s][3] = 5150;  // E96 5.11k, E12 5.6k
  }
  record.R[1][1] = 4410;  // E96 4.42k, E12 4.7k
  record.C[2][1] = 0;     // a part of 0 stays 0
  record.R[3][2] = 4300;  // stage 3 of an order-5 design does not exist
  record.C[3][3] = 4.3e-9f;
  return record;
}

// Each kind of part goes to its own series, or stays exact when it has none. R1 of a two-pole
// stage, the amplifier pair and the stages beyond the design are never touched.
TEST(PartRounding, ResistorsAndCapacitorsGoToTheirOwnSeries) {
  const StandardSeries& e96 = StandardSeries::E96();
  const StandardSeries& e12 = StandardSeries::E12();
  const struct {
    const char* name;
    PartSeries series;
    double r1, r2, r3;  // stage 1, ohms
  } cases[] = {
      {"all E12", PartSeries::For(RoundedParts::kAll, e12), 4700, 4700, 5600},
      {"resistors E96", PartSeries::For(RoundedParts::kResistors, e96), 4420, 4320, 5110},
      {"capacitors E12", PartSeries::For(RoundedParts::kCapacitors, e12), 4410, 4300, 5150},
      {"E96 and E12", PartSeries{&e96, &e12}, 4420, 4320, 5110},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DesignRecord before = FiveThousandOhmDesign();
    DesignRecord record = before;
    RoundToSeries(record, c.series);
    EXPECT_NEAR(record.R[1][1], c.r1, c.r1 * 1e-6);
    EXPECT_NEAR(record.R[1][2], c.r2, c.r2 * 1e-6);
    EXPECT_NEAR(record.R[1][3], c.r3, c.r3 * 1e-6);
    EXPECT_EQ(record.R[2][1], 0.0f);
    EXPECT_EQ(record.C[2][1], 0.0f);
    for (int s = 1; s <= 2; ++s) {
      for (int k = 2; k <= 3; ++k) {
        if (c.series.capacitors == nullptr) {
          EXPECT_EQ(record.C[s][k], before.C[s][k]);
        } else {
          EXPECT_EQ(e12.Nearest(record.C[s][k]), record.C[s][k]);
          EXPECT_LT(std::abs(std::log(record.C[s][k] / before.C[s][k])), std::log(1.1));
        }
      }
      EXPECT_EQ(record.R[s][4], before.R[s][4]);
      EXPECT_EQ(record.R[s][5], before.R[s][5]);
    }
    EXPECT_EQ(record.C[3], before.C[3]);
    EXPECT_EQ(record.R[3], before.R[3]);
  }
}

}  // namespace
}  // namespace kestro
