#include "core/design_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kestro {
namespace {

// Stages of an order: every pole pair is one stage, the odd real pole joins stage 1.
TEST(DesignRecordTest, StagesForOrderCountsPolePairs) {
  struct Case {
    int16_t order;
    float stages;
  };
  const Case cases[] = {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {9, 4}, {10, 5}, {11, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(StagesForOrder(c.order), c.stages) << "order " << c.order;
  }
}

TEST(DesignRecordTest, StageCountRoundsHalfToEvenAndStaysInsideTheArrays) {
  struct Case {
    float nrStages;
    int count;
  };
  const Case cases[] = {{1.0f, 1},   {5.0f, 5},  {2.5f, 2},  {3.5f, 4}, {11.0f, 11},
                        {12.0f, 11}, {1e9f, 11}, {-1.0f, 0}, {0.0f, 0}};
  DesignRecord record{};
  for (const Case& c : cases) {
    record.NrStages = c.nrStages;
    EXPECT_EQ(StageCount(record), c.count) << "NrStages " << c.nrStages;
  }
  record.NrStages = std::numeric_limits<float>::quiet_NaN();
  const int fromNan = StageCount(record);
  EXPECT_GE(fromNan, 0);
  EXPECT_LE(fromNan, kMaxStage);
}

TEST(DesignRecordTest, OpeningDefaultsSetTheDesignAndGraphButNothingElse) {
  DesignRecord record{};
  record.PartsModified = 1;
  record.C[1][2] = 4.7e-9f;
  record.MarkerFreq[1] = 1234.0f;
  record.SetOpeningDefaults();

  EXPECT_EQ(record.Family, kButterworth);
  EXPECT_EQ(record.Apass, 1.0f);
  EXPECT_EQ(record.Order, 3);
  EXPECT_EQ(record.Bandwidth, 3000.0f);
  EXPECT_EQ(record.Fstart, 1000.0f);
  EXPECT_EQ(record.Fstop, 10000.0f);
  EXPECT_EQ(record.Nints, 512);
  EXPECT_EQ(record.dBtop, 10.0f);
  EXPECT_EQ(record.dBbottom, -50.0f);
  EXPECT_EQ(record.NrYintervals, 6);
  EXPECT_FLOAT_EQ(record.DelayTop, 0.0012f);

  EXPECT_EQ(record.PartsModified, 1);
  EXPECT_EQ(record.C[1][2], 4.7e-9f);
  EXPECT_EQ(record.MarkerFreq[1], 1234.0f);
  EXPECT_EQ(record.NrStages, 0.0f);
}

}  // namespace
}  // namespace kestro
