// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/eng_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>

namespace kestro {
namespace {

struct ReadCase {
  const char* text;
  double expected;
};

TEST(ReadEngValue, ReadsTextsByItsRules) {
  // Prefix letters; only m (milli) and M (mega) differ by case. Either decimal separator.
  const ReadCase prefixes[] = {
      {"4.7k", 4700}, {"10M", 1e7},    {"10m", 0.01},    {"2,2n", 2.2e-9}, {"1p", 1e-12},
      {"3P", 3e-12},  {"7u", 7e-6},    {"2K", 2000},     {"2g", 2e9},      {"1ms", 0.001},
      {"1Ms", 1e6},   {" 100mH", 0.1}, {"0,01uF", 1e-8}, {"-500mH", -0.5}, {"1.5E-3", 0.0015}};
  // What follows a prefix or a second exponent is dropped; a sign counts only in front or after
  // the exponent letter; other characters are skipped.
  const ReadCase scanning[] = {{"4k7", 4000},     {"1G5", 1e9},       {"1e3k", 1000}, {"3E5M", 3e5},
                               {"1.2.3", 1.23},   {"5-", 5},          {"--5", -5},    {"+5", 5},
                               {"2e+3", 2000},    {"1,5E-3", 0.0015}, {"k5", 5},      {"e5", 5},
                               {"5 k", 5000},     {"1E", 1},          {"1E+", 1},     {".5", 0.5},
                               {"-.5m", -0.0005}, {"x1y2", 12}};
  const ReadCase noNumber[] = {{"", 0},  {"   ", 0}, {"abc", 0}, {"+", 0},
                               {"-", 0}, {".", 0},   {"E", 0},   {"-E5", 0}};
  // Only the first 12 characters after trimming count.
  const ReadCase twelveCharacters[] = {{"00000000001k", 1000},
                                       {"000000000001k", 1},
                                       {"   00000000001k   ", 1000},
                                       {"1.5         k", 1.5},
                                       {"0.0000000001k", 1e-10}};
  // Clamped to +/-1e10; an overflow in the conversion always gives +1e10.
  const ReadCase clamped[] = {{"99999999999", 1e10}, {"-2e10", -1e10}, {"1e3e4", 1e10},
                              {"1.5e3.7", 1e10},     {"1E400", 1e10},  {"3e38k", 1e10},
                              {"-3e38k", -1e10},     {"-9E99", 1e10},  {"-1E400", 1e10},
                              {"1E-99", 0},          {"1E-400", 0}};
  using Table = std::span<const ReadCase>;
  for (const Table table : {Table(prefixes), Table(scanning), Table(noNumber),
                            Table(twelveCharacters), Table(clamped)}) {
    for (const ReadCase& c : table) {
      float value = -12345.0f;
      ReadEngValue(c.text, value);
      // A few units in the last place of a single-precision product.
      EXPECT_NEAR(value, c.expected, std::fabs(c.expected) * 4e-7) << '"' << c.text << '"';
    }
  }
}

TEST(ReadEngValue, IntegerTargetRoundsHalfToEvenAndSaturates) {
  const struct {
    const char* text;
    int16_t expected;
  } cases[] = {{"512", 512},     {"2.5", 2},         {"3.5", 4},     {"-2.5", -2},
               {"12.7", 13},     {"2k", 2000},       {"0.4", 0},     {"abc", 0},
               {"40000", 32767}, {"-40000", -32768}, {"9E99", 32767}};
  for (const auto& c : cases) {
    int16_t value = -123;
    ReadEngValue(c.text, value);
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
  }
}

// What the reader drops after the prefix letter is named when it holds a digit; the value read
// stays as the table above has it.
TEST(ReadEngValue, NamesTheDigitsDroppedAfterThePrefix) {
  const struct {
    const char* text;
    const char* ignored;
  } cases[] = {{"4k7", "7"},   {"2n2F", "2F"},    {" 1M5  ", "5"}, {"4.7k", ""},
               {"100kHz", ""}, {"10mH 2", "H 2"}, {"47", ""},      {"k5", ""},
               {"1e3k5", ""},  {"3E5M", ""},      {"5 k 1", " 1"}, {"", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(IgnoredAfterPrefix(c.text), c.ignored) << '"' << c.text << '"';
}

}  // namespace
}  // namespace kestro
