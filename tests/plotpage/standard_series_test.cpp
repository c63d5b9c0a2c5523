#include "plotpage/standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plotpage/standard_rounding.h"

namespace kestro {
namespace {

// Rounded values carry the single-precision error of the decade multiplier: a few parts in 1e7.
constexpr double kRelative = 1e-6;

struct NearestCase {
  const char* name;
  const StandardSeries& series;
  float value;
  double expected;
};

class NearestValue : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestValue, PicksTheNeighbourNearerOnALogScale) {
  const NearestCase& c = GetParam();
  const float result = c.series.Nearest(c.value);
  EXPECT_NEAR(result, c.expected, c.expected * kRelative) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Series, NearestValue,
    ::testing::Values(
        // 4.7/4.3 = 1.093 beats 4.3/3.9 = 1.103.
        NearestCase{"E12_4k3_up", StandardSeries::E12(), 4300, 4700},
        // 1.5/1.2 = 1.25 loses to 1.2/1.0 = 1.2.
        NearestCase{"E6_1k2_down", StandardSeries::E6(), 1200, 1000},
        // 2.61/2.55 = 1.0235 beats 2.55/2.49 = 1.0241.
        NearestCase{"E48_2k55_up", StandardSeries::E48(), 2550, 2610},
        // Above the last value of a decade: the first value of the next decade is the upper one.
        NearestCase{"E24_9k6_next_decade", StandardSeries::E24(), 9600, 10000},
        // Just below 0.1 x multiplier: entry 0 (95.3) is the lower neighbour.
        NearestCase{"E48_96_entry_zero", StandardSeries::E48(), 96, 95.3},
        NearestCase{"E24_9k2_down", StandardSeries::E24(), 9200, 9100},
        NearestCase{"E12_capacitor_4n3", StandardSeries::E12(), 4.3e-9f, 4.7e-9},
        NearestCase{"E6_capacitor_2n9", StandardSeries::E6(), 2.9e-9f, 3.3e-9},
        NearestCase{"E6_below_mean", StandardSeries::E6(), 1224, 1000},
        NearestCase{"E6_above_mean", StandardSeries::E6(), 1225, 1500},
        NearestCase{"E12_10M", StandardSeries::E12(), 9.9e6f, 1e7},
        NearestCase{"E12_floor_capacitor", StandardSeries::E12(), 1e-13f, 1e-13}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StandardSeries, TenKilohmCarriesTheMultiplierError) {
  // The multiplier of the decade from 10 k to 100 k is 99999.99 in single precision.
  for (const StandardSeries* series : {&StandardSeries::E48(), &StandardSeries::E24(),
                                       &StandardSeries::E12(), &StandardSeries::E6()}) {
    const float result = series->Nearest(10000.0f);
    EXPECT_LT(result, 10000.0f);
    EXPECT_NEAR(result, 9999.999f, 0.0006f);
  }
}

// Between each pair of E48 neighbours in 1..10, the values around their geometric mean go to
// the nearer one on a log scale; a value exactly in the middle (in single precision) goes up.
TEST(StandardSeries, TheGeometricMeanGoesUp) {
  const StandardSeries& e48 = StandardSeries::E48();
  int ties = 0;
  for (int i = 1; i < e48.Size(); ++i) {
    const float lower = e48.Nearest(e48.Entry(i) * 10.001f);
    const float upper = e48.Nearest(e48.Entry(i + 1) * 10.001f);
    const float mean = std::sqrt(lower * upper);
    for (float x = mean * 0.9999f; x < mean * 1.0001f; x = std::nextafter(x, 100.0f)) {
      const float below = x / lower;
      const float above = upper / x;
      ties += below == above ? 1 : 0;
      EXPECT_EQ(e48.Nearest(x), above <= below ? upper : lower) << x;
    }
  }
  EXPECT_GT(ties, 0);
}

TEST(StandardSeries, SeriesValuesStayPut) {
  for (const StandardSeries* series : {&StandardSeries::E48(), &StandardSeries::E24(),
                                       &StandardSeries::E12(), &StandardSeries::E6()}) {
    for (int i = 1; i <= series->Size(); ++i) {
      const float once = series->Nearest(series->Entry(i) * 1.0e4f * 1.004f);
      EXPECT_EQ(series->Nearest(once), once) << "entry " << i;
    }
  }
}

TEST(StandardSeries, TablesHoldTheIecValues) {
  EXPECT_EQ(StandardSeries::E48().Size(), 48);
  EXPECT_EQ(StandardSeries::E24().Size(), 24);
  EXPECT_EQ(StandardSeries::E12().Size(), 12);
  EXPECT_EQ(StandardSeries::E6().Size(), 6);
  // Entry 0 is the last value of the decade below.
  EXPECT_FLOAT_EQ(StandardSeries::E48().Entry(0), 0.0953f);
  EXPECT_FLOAT_EQ(StandardSeries::E24().Entry(0), 0.091f);
  EXPECT_FLOAT_EQ(StandardSeries::E12().Entry(0), 0.082f);
  EXPECT_FLOAT_EQ(StandardSeries::E6().Entry(0), 0.068f);
  for (const StandardSeries* series : {&StandardSeries::E48(), &StandardSeries::E24(),
                                       &StandardSeries::E12(), &StandardSeries::E6()}) {
    EXPECT_FLOAT_EQ(series->Entry(1), 0.1f);
    EXPECT_FLOAT_EQ(series->Entry(series->Size()), series->Entry(0) * 10.0f);
    // Value i lies near 10^((i-1)/N) / 10; the old E24 values stray up to 4.5 % from it.
    const double tolerance = series->Size() == 48 ? 0.006 : 0.05;
    for (int i = 1; i <= series->Size(); ++i) {
      const double ideal = 0.1 * std::pow(10.0, (i - 1.0) / series->Size());
      EXPECT_NEAR(series->Entry(i), ideal, tolerance * ideal) << series->Size() << " " << i;
      EXPECT_GT(series->Entry(i), series->Entry(i - 1));
    }
  }
}

TEST(StandardSeries, ValuesWithoutNeighboursAreLeftAlone) {
  const float inf = std::numeric_limits<float>::infinity();
  for (const float value : {0.0f, -4700.0f, inf, std::numeric_limits<float>::max()}) {
    EXPECT_EQ(StandardSeries::E12().Nearest(value), value);
  }
  EXPECT_TRUE(std::isnan(StandardSeries::E12().Nearest(std::nanf(""))));
}

TEST(StandardRounding, RoundsEveryPartOfEveryStageOnly) {
  DesignRecord record;
  record.Order = 5;
  record.NrStages = 2;
  record.R[1] = {0, 4300, 4300, 4300, 1e-5f, 1};  // three-pole stage
  record.C[1] = {0, 4.3e-9f, 4.3e-9f, 4.3e-9f};
  record.R[2] = {0, 0, 1200, 1200, 1e-5f, 1};  // two-pole stage: R1 shorted
  record.C[2] = {0, 1e-13f, 0, 2.9e-9f};       // a capacitor read as 0 has no neighbours
  record.R[3] = {0, 0, 4300, 4300, 0, 0};      // beyond NrStages
  StandardRounding::RoundParts(record, StandardSeries::E12());
  for (int k = 1; k <= 3; ++k) {
    EXPECT_NEAR(record.R[1][k], 4700, 0.01) << k;
    EXPECT_NEAR(record.C[1][k], 4.7e-9, 1e-15) << k;
  }
  EXPECT_EQ(record.R[2][1], 0.0f);
  EXPECT_NEAR(record.R[2][2], 1200, 0.01);
  EXPECT_NEAR(record.C[2][1], 1e-13, 1e-19);
  EXPECT_EQ(record.C[2][2], 0.0f);
  EXPECT_NEAR(record.C[2][3], 2.7e-9, 1e-15);
  EXPECT_EQ(record.R[3][2], 4300.0f);
  EXPECT_EQ(record.R[1][4], 1e-5f);  // the amplifier pair is not a part
}

}  // namespace
}  // namespace kestro
