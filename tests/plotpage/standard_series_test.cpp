#include "plotpage/standard_series.h"

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
  };
  for (const auto& c : cases)  // single-precision multipliers: a few parts in 1e7
    EXPECT_NEAR(c.series.Nearest(c.value), c.expected, c.expected * 1e-6) << c.value;
  // A part of 0 or less, or without neighbours, is left alone.
  for (const float value :
       {0.0f, -4700.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max()})
    EXPECT_EQ(StandardSeries::E12().Nearest(value), value);
  EXPECT_TRUE(std::isnan(StandardSeries::E12().Nearest(std::nanf(""))));
}

// The values of IEC 60063, written out from the standard's tables (E48 has three significant
// digits).
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
}

}  // namespace
}  // namespace kestro
