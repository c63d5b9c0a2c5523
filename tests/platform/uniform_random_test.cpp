#include "platform/uniform_random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace kestro {
namespace {

std::vector<float> Draw(UniformRandom& random, int count) {
  std::vector<float> values;
  values.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    values.push_back(random.Next());
  return values;
}

// Every start draws the same sequence; a seed gives a different one, repeatable in its turn.
TEST(UniformRandom, SameSequenceAtEveryStartAndPerSeed) {
  UniformRandom first, second, seeded(1), seededAgain(1);
  EXPECT_EQ(Draw(first, 1000), Draw(second, 1000));
  EXPECT_EQ(Draw(seeded, 1000), Draw(seededAgain, 1000));
  EXPECT_NE(Draw(first, 1000), Draw(seeded, 1000));
}

// Uniform on [0, 1): never 1, mean 1/2 and variance 1/12 within five standard errors.
TEST(UniformRandom, UniformOnZeroToOne) {
  UniformRandom random;
  constexpr int kDraws = 40000;
  std::set<float> distinct;
  double sum = 0, squares = 0;
  for (float value : Draw(random, kDraws)) {
    ASSERT_TRUE(value >= 0.0f && value < 1.0f) << value;
    distinct.insert(value);
    sum += value;
    squares += static_cast<double>(value) * value;
  }
  const double mean = sum / kDraws;
  EXPECT_GT(distinct.size(), kDraws * 9u / 10u);
  EXPECT_NEAR(mean, 0.5, 5 * 0.2887 / 200);  // sigma 1/sqrt(12), sqrt(40000) = 200
  EXPECT_NEAR(squares / kDraws - mean * mean, 1.0 / 12, 5 * 0.0745 / 200);
}

}  // namespace
}  // namespace kestro
