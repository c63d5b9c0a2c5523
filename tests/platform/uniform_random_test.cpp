// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uniform_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace kestro {
namespace {

// Every start draws the same sequence, so a Monte Carlo run without a seed repeats (the
// command-line report shows seeds repeating and differing); every value lies in [0, 1).
TEST(UniformRandom, SameSequenceAtEveryStartWithinZeroToOne) {
  UniformRandom first, second;
  std::vector<float> values(1000), again(1000);
  std::ranges::generate(values, [&first] { return first.Next(); });
  std::ranges::generate(again, [&second] { return second.Next(); });
  EXPECT_EQ(values, again);
  EXPECT_TRUE(std::ranges::all_of(values, [](float v) { return v >= 0.0f && v < 1.0f; }));
  EXPECT_GT(std::set<float>(values.begin(), values.end()).size(), 990u);
}

}  // namespace
}  // namespace kestro
