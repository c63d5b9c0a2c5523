#include "files/decimal_text.h"

#include <charconv>
#include <string>
#include <system_error>

namespace kestro {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos]))
    ++pos;
  return pos;
}

// Length of the exponent part at pos ("E", sign, digits), 0 when there is none.
std::size_t ExponentLength(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || (text[pos] != 'E' && text[pos] != 'e'))
    return 0;
  std::size_t end = pos + 1;
  if (end < text.size() && (text[end] == '+' || text[end] == '-'))
    ++end;
  const std::size_t digitsEnd = SkipDigits(text, end);
  return digitsEnd > end ? digitsEnd - pos : 0;
}

// Decimal exponent of the leading significant digit, saturated: positive means too large.
long MagnitudeOf(std::string_view mantissa, std::string_view exponent) {
  long exp = 0;
  bool negative = false;
  for (char c : exponent) {
    if (c == '-')
      negative = true;
    if (IsDigit(c) && exp < 100000)
      exp = exp * 10 + (c - '0');
  }
  if (negative)
    exp = -exp;
  const std::size_t first = mantissa.find_first_not_of("0.");
  const std::size_t point = mantissa.find('.');
  const std::size_t pointPos = point == std::string_view::npos ? mantissa.size() : point;
  if (first == std::string_view::npos)
    return -100000;
  const long shift = first < pointPos ? static_cast<long>(pointPos - first) - 1
                                      : -static_cast<long>(first - pointPos);
  return shift + exp;
}

}  // namespace

std::optional<float> LeadingDecimal(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    negative = text[pos++] == '-';
  const std::size_t start = pos;
  std::size_t end = SkipDigits(text, pos);
  bool hasDigits = end > start;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, end + 1);
    hasDigits = hasDigits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!hasDigits)
    return 0.0f;
  const std::string_view mantissa = text.substr(start, end - start);
  const std::size_t expLength = ExponentLength(text, end);
  const std::string_view number = text.substr(start, end - start + expLength);
  float value = 0;
  const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)ptr;
  if (error == std::errc::result_out_of_range) {
    if (MagnitudeOf(mantissa, text.substr(end, expLength)) > 0)
      return std::nullopt;
    value = 0;
  } else if (error != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

}  // namespace kestro
