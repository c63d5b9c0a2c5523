#include "files/decimal_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <string>
#include <vector>

namespace kestro {
namespace {

TEST(LeadingDecimal, ReadsTheNumberAtTheStartAndRefusesNumbersBeyondASingle) {
  struct Case {
    std::string text;
    std::optional<float> value;
  };
  const std::optional<float> no;
  const std::string tiny = "0." + std::string(46, '0') + "1", huge = "1" + std::string(39, '0');
  const std::vector<Case> plain{{"1000", 1000},     {"-3", -3},          {"+2.5", 2.5f},
                                {".5", 0.5f},       {"5.", 5},           {"1E+11", 1e11f},
                                {"-1E+11", -1e11f}, {"1e3", 1000},       {"2.2E-09", 2.2e-9f},
                                {"12abc", 12},      {"00012.50", 12.5f}, {"", 0}};
  const std::vector<Case> odd{{"1.5E", 1.5f},
                              {"1.5E+", 1.5f},
                              {"3,5", 3},
                              {"abc", 0},
                              {"-", 0},
                              {".", 0},
                              {"1E-99", 0},
                              {"-0.0", 0},
                              {"1.2.3", 1.2f},
                              {tiny, 0},
                              {"1E+39", no},
                              {"-4E+38", no},
                              {huge, no},
                              {"1E+99999999", no},
                              {"3.4028234E+38", FLT_MAX}};
  for (const auto* table : {&plain, &odd}) {
    for (const Case& c : *table)
      EXPECT_EQ(LeadingDecimal(c.text), c.value) << c.text;
  }
}

}  // namespace
}  // namespace kestro
