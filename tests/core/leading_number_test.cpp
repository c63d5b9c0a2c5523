// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/leading_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <string>

namespace kestro {
namespace {

// The forms the limit and overlay readers meet; the engineering reader's own table covers the rest.
TEST(LeadingDecimal, ReadsTheNumberAtTheStartOnceRoundedAndHoldsOverflows) {
  const std::pair<const char*, float> cases[] = {{"+2.5", 2.5f},
                                                 {"1e3", 1000},
                                                 {"-1E+11", -1e11f},
                                                 {"12abc", 12},
                                                 {"1.5E+", 1.5f},
                                                 {"3,5", 3},
                                                 {"-", 0},
                                                 {"1.2.3", 1.2f},
                                                 {"1E-99", 0},
                                                 {"1E-39", 1e-39f},
                                                 {"-1.4E-45", -1.4e-45f},
                                                 {"1E+39", FLT_MAX},
                                                 {"-4E+38", -FLT_MAX},
                                                 {"1E+99999999", FLT_MAX},
                                                 {"3.4028234E+38", FLT_MAX}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(LeadingDecimal(text), value) << text;
  EXPECT_EQ(LeadingDecimal("1" + std::string(39, '0')), FLT_MAX);
}

// The double decides the range: a text that rounds to FLT_MAX as a single but lies above it as a
// double is beyond the range, whatever its sign.
TEST(LeadingSingle, GivesTheRoundedSingleOrNothingBeyondTheRange) {
  const std::pair<const char*, std::optional<float>> cases[] = {{"-2.5k", -2.5f},
                                                                {"abc", 0.0f},
                                                                {".E5", 0.0f},
                                                                {"1E-99", 0.0f},
                                                                {"1E-39", 1e-39f},
                                                                {"-1.4E-45", -1.4e-45f},
                                                                {"3.4028234E38", FLT_MAX},
                                                                {"-3.4028234E38", -FLT_MAX},
                                                                {"3.4028235E38", std::nullopt},
                                                                {"-3.4028235E38", std::nullopt},
                                                                {"-1E39", std::nullopt},
                                                                {"1E+99999999", std::nullopt}};
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text);
    const std::optional<float> read = LeadingSingle(text);
    ASSERT_EQ(read.has_value(), value.has_value());
    if (value) {
      EXPECT_EQ(*read, *value);
    }
  }
}

}  // namespace
}  // namespace kestro
