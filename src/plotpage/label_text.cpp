// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/label_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/eng_value.h"

namespace kestro::label_text {

namespace {

// "1e+07" -> "1E+07"; the exponent keeps at least two digits.
std::string UpperExponent(std::string text) {
  std::replace(text.begin(), text.end(), 'e', 'E');
  return text;
}

}  // namespace

std::string ShortestDecimal(double value) {
  if (!std::isfinite(value))
    return value > 0 ? "1E+38" : (value < 0 ? "-1E+38" : "0");
  char buffer[48];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
  return UpperExponent(std::string(buffer, result.ptr));
}

std::string ShortestDecimalLocal(double value) {
  std::string text = ShortestDecimal(value);
  std::replace(text.begin(), text.end(), '.', LocaleDecimalSeparator());
  return text;
}

std::string SignedNumber(double value) {
  const std::string digits = ShortestDecimal(value);
  return value >= 0 ? " " + digits : digits;
}

}  // namespace kestro::label_text
