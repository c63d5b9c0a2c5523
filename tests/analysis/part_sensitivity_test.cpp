// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/part_sensitivity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

namespace kestro {
namespace {

// For a Butterworth 4 every one of its eight parts is ranked, largest first; the first part,
// changed by 1 % and checked point by point through ResponseAt, moves the gain more than any
// other part does, by the amount the ranking gives. The record itself is left as it was.
TEST(PartSensitivity, FirstPartMovesTheGainMost) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Family = kButterworth, record.Order = 4, record.Bandwidth = 1000;
  ASSERT_TRUE(SynthesizeFamilyDesign(record));
  record.Fstart = 100, record.Fstop = 10000, record.Nints = 200;
  const StageCapacitors partsBefore = record.C;
  const std::vector<PartSensitivity> ranking = RankPartSensitivities(record);
  ASSERT_EQ(ranking.size(), 8u);
  EXPECT_TRUE(std::is_sorted(ranking.begin(), ranking.end(), [](const auto& a, const auto& b) {
    return a.maxChangeDb > b.maxChangeDb;
  }));
  EXPECT_EQ(record.C, partsBefore);

  // The largest change for each part, by evaluating single frequencies.
  Analyze(record);
  std::map<std::string, double> change;
  for (int s = 1; s <= 2; ++s) {
    for (const char* part : {"R2", "R3", "C2", "C3"}) {
      DesignRecord changed = record;
      float& value = part[0] == 'R' ? changed.R[s][part[1] - '0'] : changed.C[s][part[1] - '0'];
      value *= 1.01f;
      double largest = 0;
      for (int i = 0; i <= record.Nints; ++i) {
        float gain = 0;
        float phase = 0;
        ResponseAt(changed, record.Freq[i], gain, phase);
        if (record.Gain[i] > -40)
          largest = std::max(largest, std::abs(double(gain) - record.Gain[i]));
      }
      change[std::to_string(s) + part] = largest;
    }
  }
  const double first = change[std::to_string(ranking[0].stage) + ranking[0].part];
  EXPECT_NEAR(first, ranking[0].maxChangeDb, 1e-4);
  EXPECT_GT(first, 0.01);
  for (const auto& [name, value] : change)
    EXPECT_LE(value, first + 1e-6) << name;
}

}  // namespace
}  // namespace kestro
