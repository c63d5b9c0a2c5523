// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <span>
#include <string>
#include <tuple>

namespace kestro {
namespace {

struct WriteCase {
  double value;
  const char* expected;
};

// Fixed for 0.001 <= |v| < 1e7, exponent form otherwise, at most 12 characters: seven
// significant digits, six for a negative value in exponent form.
TEST(FileNumbers, WriteTheDocumentedTexts) {
  const WriteCase fixed[] = {
      {0.0012, "0.0012"},   {4700, "4700"},     {1e6, "1000000"},
      {-50, "-50"},         {0, "0"},           {-0.0, "0"},
      {9999999, "9999999"}, {0.001, "0.001"},   {1.0 / 3.0, "0.3333333"},
      {0.1, "0.1"},         {1000.5, "1000.5"}, {-1.234567e-3, "-0.001234567"}};
  const WriteCase exponent[] = {{2.2e-9, "2.2E-09"}, {1e11, "1E+11"},        {1e-5, "1E-05"},
                                {1e7, "1E+07"},      {0.000999, "9.99E-04"}, {-1e11, "-1E+11"},
                                {3.4e38, "3.4E+38"}};
  const WriteCase sevenDigits[] = {
      {12345678, "1.234568E+07"}, {1.234568e-4, "1.234568E-04"}, {-1.234568e-4, "-1.23457E-04"}};
  const WriteCase special[] = {
      {1e300, "Inf"}, {-1e300, "-Inf"}, {std::numeric_limits<double>::quiet_NaN(), "NaN"}};
  const WriteCase signedPosition[] = {{1, " 1 "}, {1e11, " 1E+11 "},  {-3, "-3 "},
                                      {0, " 0 "}, {-1e11, "-1E+11 "}, {-0.5, "-0.5 "}};
  const WriteCase pad[] = {
      {1000, "1000          "}, {-3.0103, "-3.0103       "}, {1.234568e-4, "1.234568E-04  "},
      {0.5, ".5            "},  {-0.5, "-.5           "},    {-1.234568e-4, "-1.234568E-04 "},
      {0, "0             "}};
  using Writer = std::string (*)(double);
  const std::tuple<const char*, Writer, std::span<const WriteCase>> tables[] = {
      {"fixed", PlainNumber, fixed},
      {"exponent", PlainNumber, exponent},
      {"sevenDigits", PlainNumber, sevenDigits},
      {"special", PlainNumber, special},
      {"signedPosition", SignedPositionNumber, signedPosition},
      {"pad", PadField, pad}};
  for (const auto& [name, writer, cases] : tables) {
    for (const WriteCase& c : cases) {
      SCOPED_TRACE(testing::Message() << name << " value " << c.value);
      EXPECT_EQ(writer(c.value), c.expected);
    }
  }
}

}  // namespace
}  // namespace kestro
