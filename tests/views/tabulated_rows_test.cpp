// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/tabulated_rows.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(TabulatedRows, FieldsAreTwelveWideAndLongerTextsGetTwoBlanks) {
  const std::pair<std::string, std::string> cases[] = {{"", std::string(12, ' ')},
                                                       {"1234567890", "1234567890  "},
                                                       {"12345678901", "12345678901  "},
                                                       {"1.23457E-04xx", "1.23457E-04xx  "}};
  for (const auto& [text, padded] : cases)
    EXPECT_EQ(PadTabulatedField(text), padded) << '"' << text << '"';
  DesignRecord record{};
  record.Freq[3] = 1234.5678f, record.Gain[3] = -3.0103f, record.Phase[3] = -135;
  record.Delay[3] = 0.0012f;
  // The formatters' own blanks stay: " 1.2346K ", "-3.0103 ", "-135 ", "1.2m".
  EXPECT_EQ(TabulatedRow(record, 3), " 1.2346K    -3.0103     -135        1.2m        ");
}

}  // namespace
}  // namespace kestro
