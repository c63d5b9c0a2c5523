// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/design_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace kestro {
namespace {

// StageCount rounds NrStages half to even and keeps it inside the stage arrays, whatever a file
// put there. The stages of each order are checked with the solved designs.
TEST(DesignRecordTest, StageCounts) {
  const struct {
    float nrStages;
    int count;
  } counts[] = {{1.0f, 1},   {5.0f, 5},  {2.5f, 2},  {3.5f, 4}, {11.0f, 11},
                {12.0f, 11}, {1e9f, 11}, {-1.0f, 0}, {0.0f, 0}};
  DesignRecord record{};
  for (const auto& c : counts) {
    record.NrStages = c.nrStages;
    EXPECT_EQ(StageCount(record), c.count) << "NrStages " << c.nrStages;
  }
  record.NrStages = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(StageCount(record) >= 0 && StageCount(record) <= kMaxStage);
}

// The opening defaults set the design and the graph, which the design page shows, but not the
// parts, the markers or the derived stage count.
TEST(DesignRecordTest, OpeningDefaultsKeepThePartsAndMarkers) {
  DesignRecord r{};
  r.PartsModified = 1, r.C[1][2] = 4.7e-9f, r.MarkerFreq[1] = 1234.0f;
  r.OpampGbw = 1e6f, r.OpampSlewRate = 13, r.OpampAmplitude = 5, r.OpampOn = 1;
  r.SetOpeningDefaults();
  EXPECT_EQ((std::vector<float>{float(r.Family), float(r.Nints), float(r.NrYintervals)}),
            (std::vector<float>{kButterworth, 512, 6}));
  // The op-amp returns to the ideal follower, checked at 1 V peak.
  EXPECT_EQ((std::vector<float>{r.OpampGbw, r.OpampSlewRate, r.OpampAmplitude, float(r.OpampOn)}),
            (std::vector<float>{0, 0, 1, 0}));
  EXPECT_EQ((std::vector<float>{float(r.PartsModified), r.C[1][2], r.MarkerFreq[1], r.NrStages}),
            (std::vector<float>{1, 4.7e-9f, 1234, 0}));
}

}  // namespace
}  // namespace kestro
