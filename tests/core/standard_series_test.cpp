// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/standard_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kestro {
namespace {

TEST(StandardSeries, NearestPicksTheNeighbourNearerOnALogScale) {
  const struct {
    const StandardSeries& series;
    float value;
    double expected;
  } cases[] = {
      {StandardSeries::E12(), 4300, 4700},   // 4.7/4.3 = 1.093 beats 4.3/3.9 = 1.103
      {StandardSeries::E48(), 2550, 2610},   // 2.61/2.55 = 1.0235 beats 2.55/2.49 = 1.0241
      {StandardSeries::E24(), 9600, 10000},  // above the last value: the next decade's first
      {StandardSeries::E48(), 96, 95.3},     // just below a decade: entry 0 is the lower one
      {StandardSeries::E6(), 1224, 1000},    // either side of the geometric mean 1224.7
      {StandardSeries::E6(), 1225, 1500},
      {StandardSeries::E12(), 1e-13f, 1e-13},  // the floor of an absent capacitor
      {StandardSeries::E96(), 4300, 4320},     // 4.32/4.3 = 1.0047 beats 4.3/4.22 = 1.0190
      {StandardSeries::E96(), 98, 97.6},       // entry 0 of E96
      {StandardSeries::E192(), 9190, 9200},    // the standard's 9.20, not the formula's 9.19
      {StandardSeries::E192(), 9950, 10000},   // 10/9.95 = 1.0050 beats 9.95/9.88 = 1.0071
      {StandardSeries::E192(), 98.9f, 98.8},   // entry 0 of E192
  };
  for (const auto& c : cases) {  // single-precision multipliers: a few parts in 1e7
    SCOPED_TRACE(testing::Message() << "E" << c.series.Size() << " nearest to " << c.value);
    EXPECT_NEAR(c.series.Nearest(c.value), c.expected, c.expected * 1e-6);
  }
  // A part of 0 or less, or without neighbours, is left alone.
  for (const float value :
       {0.0f, -4700.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max()})
    EXPECT_EQ(StandardSeries::E12().Nearest(value), value);
  EXPECT_TRUE(std::isnan(StandardSeries::E12().Nearest(std::nanf(""))));
}

// The values of IEC 60063, written out from the standard's tables (E192, E96 and E48 have three
// significant digits; E192's 9.20 is the standard's own value).
TEST(StandardSeries, TablesAreExactlyTheIecValues) {
  const std::vector<float> e6{1.0f, 1.5f, 2.2f, 3.3f, 4.7f, 6.8f};
  const std::vector<float> e12{1.0f, 1.2f, 1.5f, 1.8f, 2.2f, 2.7f,
                               3.3f, 3.9f, 4.7f, 5.6f, 6.8f, 8.2f};
  const std::vector<float> e24{1.0f, 1.1f, 1.2f, 1.3f, 1.5f, 1.6f, 1.8f, 2.0f,
                               2.2f, 2.4f, 2.7f, 3.0f, 3.3f, 3.6f, 3.9f, 4.3f,
                               4.7f, 5.1f, 5.6f, 6.2f, 6.8f, 7.5f, 8.2f, 9.1f};
  const std::vector<float> e48{1.00f, 1.05f, 1.10f, 1.15f, 1.21f, 1.27f, 1.33f, 1.40f, 1.47f, 1.54f,
                               1.62f, 1.69f, 1.78f, 1.87f, 1.96f, 2.05f, 2.15f, 2.26f, 2.37f, 2.49f,
                               2.61f, 2.74f, 2.87f, 3.01f, 3.16f, 3.32f, 3.48f, 3.65f, 3.83f, 4.02f,
                               4.22f, 4.42f, 4.64f, 4.87f, 5.11f, 5.36f, 5.62f, 5.90f, 6.19f, 6.49f,
                               6.81f, 7.15f, 7.50f, 7.87f, 8.25f, 8.66f, 9.09f, 9.53f};
  const std::vector<float> e96{
      1.00f, 1.02f, 1.05f, 1.07f, 1.10f, 1.13f, 1.15f, 1.18f, 1.21f, 1.24f, 1.27f, 1.30f,
      1.33f, 1.37f, 1.40f, 1.43f, 1.47f, 1.50f, 1.54f, 1.58f, 1.62f, 1.65f, 1.69f, 1.74f,
      1.78f, 1.82f, 1.87f, 1.91f, 1.96f, 2.00f, 2.05f, 2.10f, 2.15f, 2.21f, 2.26f, 2.32f,
      2.37f, 2.43f, 2.49f, 2.55f, 2.61f, 2.67f, 2.74f, 2.80f, 2.87f, 2.94f, 3.01f, 3.09f,
      3.16f, 3.24f, 3.32f, 3.40f, 3.48f, 3.57f, 3.65f, 3.74f, 3.83f, 3.92f, 4.02f, 4.12f,
      4.22f, 4.32f, 4.42f, 4.53f, 4.64f, 4.75f, 4.87f, 4.99f, 5.11f, 5.23f, 5.36f, 5.49f,
      5.62f, 5.76f, 5.90f, 6.04f, 6.19f, 6.34f, 6.49f, 6.65f, 6.81f, 6.98f, 7.15f, 7.32f,
      7.50f, 7.68f, 7.87f, 8.06f, 8.25f, 8.45f, 8.66f, 8.87f, 9.09f, 9.31f, 9.53f, 9.76f};
  const std::vector<float> e192{
      1.00f, 1.01f, 1.02f, 1.04f, 1.05f, 1.06f, 1.07f, 1.09f, 1.10f, 1.11f, 1.13f, 1.14f, 1.15f,
      1.17f, 1.18f, 1.20f, 1.21f, 1.23f, 1.24f, 1.26f, 1.27f, 1.29f, 1.30f, 1.32f, 1.33f, 1.35f,
      1.37f, 1.38f, 1.40f, 1.42f, 1.43f, 1.45f, 1.47f, 1.49f, 1.50f, 1.52f, 1.54f, 1.56f, 1.58f,
      1.60f, 1.62f, 1.64f, 1.65f, 1.67f, 1.69f, 1.72f, 1.74f, 1.76f, 1.78f, 1.80f, 1.82f, 1.84f,
      1.87f, 1.89f, 1.91f, 1.93f, 1.96f, 1.98f, 2.00f, 2.03f, 2.05f, 2.08f, 2.10f, 2.13f, 2.15f,
      2.18f, 2.21f, 2.23f, 2.26f, 2.29f, 2.32f, 2.34f, 2.37f, 2.40f, 2.43f, 2.46f, 2.49f, 2.52f,
      2.55f, 2.58f, 2.61f, 2.64f, 2.67f, 2.71f, 2.74f, 2.77f, 2.80f, 2.84f, 2.87f, 2.91f, 2.94f,
      2.98f, 3.01f, 3.05f, 3.09f, 3.12f, 3.16f, 3.20f, 3.24f, 3.28f, 3.32f, 3.36f, 3.40f, 3.44f,
      3.48f, 3.52f, 3.57f, 3.61f, 3.65f, 3.70f, 3.74f, 3.79f, 3.83f, 3.88f, 3.92f, 3.97f, 4.02f,
      4.07f, 4.12f, 4.17f, 4.22f, 4.27f, 4.32f, 4.37f, 4.42f, 4.48f, 4.53f, 4.59f, 4.64f, 4.70f,
      4.75f, 4.81f, 4.87f, 4.93f, 4.99f, 5.05f, 5.11f, 5.17f, 5.23f, 5.30f, 5.36f, 5.42f, 5.49f,
      5.56f, 5.62f, 5.69f, 5.76f, 5.83f, 5.90f, 5.97f, 6.04f, 6.12f, 6.19f, 6.26f, 6.34f, 6.42f,
      6.49f, 6.57f, 6.65f, 6.73f, 6.81f, 6.90f, 6.98f, 7.06f, 7.15f, 7.23f, 7.32f, 7.41f, 7.50f,
      7.59f, 7.68f, 7.77f, 7.87f, 7.96f, 8.06f, 8.16f, 8.25f, 8.35f, 8.45f, 8.56f, 8.66f, 8.76f,
      8.87f, 8.98f, 9.09f, 9.20f, 9.31f, 9.42f, 9.53f, 9.65f, 9.76f, 9.88f};
  const auto decade = [](const StandardSeries& series) {
    std::vector<float> values;
    for (int i = 1; i <= series.Size(); ++i)
      values.push_back(std::round(series.Entry(i) * 1000.0f) / 100.0f);
    return values;
  };
  EXPECT_EQ(decade(StandardSeries::E6()), e6);
  EXPECT_EQ(decade(StandardSeries::E12()), e12);
  EXPECT_EQ(decade(StandardSeries::E24()), e24);
  EXPECT_EQ(decade(StandardSeries::E48()), e48);
  EXPECT_EQ(decade(StandardSeries::E96()), e96);
  EXPECT_EQ(decade(StandardSeries::E192()), e192);
  // Entry 0 is the last value of the decade below.
  EXPECT_FLOAT_EQ(StandardSeries::E96().Entry(0), 0.0976f);
  EXPECT_FLOAT_EQ(StandardSeries::E192().Entry(0), 0.0988f);
}

// Candidate values of a range are exact series values: rounding keeps each, and they run through
// the decades in order. Names select the series whatever their case.
TEST(StandardSeries, ValuesBetweenAreSeriesValuesAndNamesSelectTheSeries) {
  const std::vector<float> e6 = StandardSeries::E6().ValuesBetween(3e-9f, 1.6e-8f);
  const std::vector<double> expected{3.3e-9, 4.7e-9, 6.8e-9, 1e-8, 1.5e-8};
  ASSERT_EQ(e6.size(), expected.size());
  for (std::size_t i = 0; i < e6.size(); ++i) {
    EXPECT_NEAR(e6[i], expected[i], expected[i] * 1e-6) << i;
    EXPECT_EQ(StandardSeries::E6().Nearest(e6[i]), e6[i]) << i;
  }
  EXPECT_EQ(StandardSeries::E192().ValuesBetween(0.99e-12f, 0.995e-6f).size(), 6u * 192u);
  const struct {
    const char* name;
    const StandardSeries* series;
  } names[] = {{"E192", &StandardSeries::E192()},
               {"e96", &StandardSeries::E96()},
               {"E48", &StandardSeries::E48()},
               {"e24", &StandardSeries::E24()},
               {"E12", &StandardSeries::E12()},
               {"e6", &StandardSeries::E6()},
               {"E3", nullptr},
               {"E", nullptr},
               {"", nullptr},
               {"E960", nullptr}};
  for (const auto& n : names)
    EXPECT_EQ(StandardSeries::Named(n.name), n.series) << n.name;
}

}  // namespace
}  // namespace kestro
