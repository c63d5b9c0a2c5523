// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/leading_number.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <system_error>

namespace kestro {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i]))
    ++i;
  return i;
}

bool IsSign(std::string_view text, std::size_t i) {
  return i < text.size() && (text[i] == '+' || text[i] == '-');
}

// A plain loop: the number is short, and a library search would run once per character.
bool HasMantissaDigit(std::string_view number) {
  for (const char c : number) {
    if (c == 'E' || c == 'e')
      return false;
    if (IsDigit(c))
      return true;
  }
  return false;
}

}  // namespace

std::size_t LeadingNumberLength(std::string_view text) {
  std::size_t i = IsSign(text, 0) ? 1 : 0;
  i = SkipDigits(text, i);
  if (i < text.size() && text[i] == '.')
    i = SkipDigits(text, i + 1);
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    const std::size_t digits = IsSign(text, i + 1) ? i + 2 : i + 1;
    const std::size_t end = SkipDigits(text, digits);
    if (end > digits)
      i = end;
  }
  return i;
}

namespace {

// The decimal text read as T with from_chars (correctly rounded, whatever the locale).
template <typename T>
std::errc Parse(std::string_view number, T& value) {
  return std::from_chars(number.data(), number.data() + number.size(), value).ec;
}

// For a number out of a type's range: true when it is too large rather than too small. The double
// decides; beyond the double range the sign of the exponent does.
bool TooLarge(std::string_view number) {
  double value = 0;
  if (Parse(number, value) == std::errc())
    return value > 1.0 || value < -1.0;
  const std::size_t e = number.find_first_of("Ee");
  return e == std::string_view::npos || e + 1 >= number.size() || number[e + 1] != '-';
}

// The number without its sign (from_chars takes no "+"), and whether it was negative.
std::string_view Unsigned(std::string_view text, bool& negative) {
  std::string_view number = text.substr(0, LeadingNumberLength(text));
  negative = !number.empty() && number.front() == '-';
  if (!number.empty() && (number.front() == '-' || number.front() == '+'))
    number.remove_prefix(1);
  return number;
}

template <typename T>
std::optional<T> ReadNumber(std::string_view text) {
  bool negative = false;
  const std::string_view number = Unsigned(text, negative);
  if (!HasMantissaDigit(number))
    return T{0};
  T value = 0;
  if (Parse(number, value) == std::errc::result_out_of_range) {
    if (TooLarge(number))
      return std::nullopt;
    value = 0;
  }
  return negative ? -value : value;
}

}  // namespace

std::optional<double> LeadingNumber(std::string_view text) {
  return ReadNumber<double>(text);
}

std::optional<float> LeadingSingle(std::string_view text) {
  bool negative = false;
  const std::string_view number = Unsigned(text, negative);
  if (!HasMantissaDigit(number))
    return 0.0f;
  // Nearly every number parses as a single well inside the range, and that single is the answer.
  float value = 0;
  if (Parse(number, value) == std::errc() && value < FLT_MAX)
    return negative ? -value : value;
  // At the top of the range, beyond it or below it the double decides which side the text is on.
  const std::optional<double> wide = ReadNumber<double>(text);
  if (!wide || std::fabs(*wide) > FLT_MAX)
    return std::nullopt;
  return LeadingDecimal(text);
}

float LeadingDecimal(std::string_view text) {
  if (const std::optional<float> value = ReadNumber<float>(text))
    return *value;
  return !text.empty() && text.front() == '-' ? -FLT_MAX : FLT_MAX;
}

}  // namespace kestro
