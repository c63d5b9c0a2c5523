// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/leading_number.h"

namespace kestro::digits {

namespace {

// Splits to_chars' scientific text "d.ddde+XX" into digits and exponent.
Digits ParseScientific(const char* first, const char* last) {
  Digits result;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.')
      result.digits.push_back(*p);
  }
  if (p != last)
    std::from_chars(p + (p[1] == '+' ? 2 : 1), last, result.exponent);
  while (result.digits.size() > 1 && result.digits.back() == '0')
    result.digits.pop_back();
  return result;
}

}  // namespace

Digits ShortestDigits(float magnitude, int maxDigits) {
  if (magnitude == 0.0f)
    return {"0", 0};
  std::array<char, 48> buffer{};
  for (int precision = 0; precision < maxDigits; ++precision) {
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::scientific, precision);
    const float back = LeadingDecimal(std::string_view(buffer.data(), written.ptr));
    if (back == magnitude || precision == maxDigits - 1) {
      return ParseScientific(buffer.data(), written.ptr);
    }
  }
  return {"0", 0};
}

std::string FixedText(const Digits& d, bool leadingZero, char separator) {
  if (d.digits == "0")
    return "0";
  std::string integerPart;
  std::string fraction;
  if (d.exponent >= 0) {
    const auto intDigits = static_cast<std::size_t>(d.exponent) + 1;
    integerPart = d.digits.substr(0, intDigits);
    if (integerPart.size() < intDigits)
      integerPart.append(intDigits - integerPart.size(), '0');
    if (d.digits.size() > intDigits)
      fraction = d.digits.substr(intDigits);
  } else {
    integerPart = leadingZero ? "0" : "";
    fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
  }
  return fraction.empty() ? integerPart : integerPart + separator + fraction;
}

std::string ExponentText(const Digits& d) {
  std::string text(1, d.digits.front());
  if (d.digits.size() > 1) {
    text += '.';
    text.append(d.digits, 1, std::string::npos);
  }
  text += d.exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(d.exponent);
  if (magnitude < 10)
    text += '0';
  return text + std::to_string(magnitude);
}

std::string NonFiniteText(float value) {
  if (std::isnan(value))
    return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

float ToSingle(double value) {
  if (std::isnan(value))
    return std::numeric_limits<float>::quiet_NaN();
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax)
    return std::numeric_limits<float>::infinity();
  if (value < -kMax)
    return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace kestro::digits
