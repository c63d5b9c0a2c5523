#include "files/decimal_text.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace kestro {
namespace {

TEST(LeadingDecimal, ReadsTheNumberAtTheStart) {
  const struct {
    const char* text;
    float value;
  } cases[] = {{"1000", 1000},
               {"-3", -3},
               {"+2.5", 2.5f},
               {".5", 0.5f},
               {"5.", 5},
               {"1E+11", 1e11f},
               {"-1E+11", -1e11f},
               {"2.2E-09", 2.2e-9f},
               {"1e3", 1000},
               {"12abc", 12},
               {"1.5E", 1.5f},
               {"1.5E+", 1.5f},
               {"3,5", 3},
               {"abc", 0},
               {"", 0},
               {"-", 0},
               {".", 0},
               {"1E-99", 0},
               {"-0.0", 0},
               {"00012.50", 12.5f},
               {"1.2.3", 1.2f}};
  for (const auto& c : cases) {
    const std::optional<float> value = LeadingDecimal(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(LeadingDecimal, NumbersBeyondASingleAreRefused) {
  for (const char* text :
       {"1E+39", "-4E+38", "1000000000000000000000000000000000000000", "1E+99999999999"}) {
    EXPECT_FALSE(LeadingDecimal(text).has_value()) << text;
  }
  EXPECT_EQ(LeadingDecimal("3.4028234E+38").value(), FLT_MAX);
  EXPECT_EQ(LeadingDecimal("0.0000000000000000000000000000000000000000000000001").value(), 0.0f);
}

}  // namespace
}  // namespace kestro
