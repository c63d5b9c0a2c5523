#include "core/leading_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <utility>

namespace kestro {
namespace {

TEST(LeadingDecimal, ReadsTheNumberAtTheStartOnceRoundedAndHoldsOverflows) {
  const std::string tiny = "0." + std::string(46, '0') + "1", huge = "1" + std::string(39, '0');
  const std::pair<std::string, float> cases[] = {{"1000", 1000},
                                                 {"-3", -3},
                                                 {"+2.5", 2.5f},
                                                 {".5", 0.5f},
                                                 {"5.", 5},
                                                 {"1E+11", 1e11f},
                                                 {"-1E+11", -1e11f},
                                                 {"1e3", 1000},
                                                 {"2.2E-09", 2.2e-9f},
                                                 {"12abc", 12},
                                                 {"00012.50", 12.5f},
                                                 {"", 0},
                                                 {"1.5E", 1.5f},
                                                 {"1.5E+", 1.5f},
                                                 {"3,5", 3},
                                                 {"abc", 0},
                                                 {"-", 0},
                                                 {".", 0},
                                                 {"1E-99", 0},
                                                 {"-0.0", 0},
                                                 {"1.2.3", 1.2f},
                                                 {tiny, 0},
                                                 {"1E-39", 1e-39f},
                                                 {"-1.4E-45", -1.4e-45f},
                                                 {"1E+39", FLT_MAX},
                                                 {"-4E+38", -FLT_MAX},
                                                 {huge, FLT_MAX},
                                                 {"1E+99999999", FLT_MAX},
                                                 {"3.4028234E+38", FLT_MAX}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(LeadingDecimal(text), value) << text;
  EXPECT_EQ(LeadingNumber("1E+400"), std::nullopt);
  EXPECT_EQ(LeadingNumber("-2.5E-3x"), -2.5e-3);
}

}  // namespace
}  // namespace kestro
