#include "core/eng_value.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace kestro {

namespace {

// ---------------------------------------------------------------------------------------------
// Decimal digits of a single
// ---------------------------------------------------------------------------------------------

constexpr int kMaxSignificant = 7;
constexpr std::size_t kReadWidth = 12;  // characters the reader takes
constexpr float kClamp = 1e10f;

// A magnitude as decimal digits: d1.d2d3... x 10^exponent, no trailing zeros ("0" for zero).
struct Digits {
  std::string digits;
  int exponent = 0;
};

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

// The fewest digits (at most maxDigits) that read back to the same single; maxDigits when none
// does.
Digits ShortestDigits(float magnitude, int maxDigits = kMaxSignificant) {
  if (magnitude == 0.0f)
    return {"0", 0};
  std::array<char, 48> buffer{};
  for (int precision = 0; precision < maxDigits; ++precision) {
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::scientific, precision);
    float back = 0.0f;
    std::from_chars(buffer.data(), written.ptr, back);
    if (back == magnitude || precision == maxDigits - 1) {
      return ParseScientific(buffer.data(), written.ptr);
    }
  }
  return {"0", 0};
}

// Fixed notation of the digits. Without leadingZero, 0.5 is written ".5".
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

// Exponent notation: mantissa, "E", sign, two-digit exponent ("2.2E-09", "1E+11").
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

// A double as a single without undefined behaviour outside the single range.
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

// The file form with at most maxDigits significant digits: fixed for decimal exponents -3..6,
// exponent notation otherwise.
std::string FileDigitsText(float single, bool leadingZero, int maxDigits) {
  const Digits d = ShortestDigits(std::fabs(single), maxDigits);
  const bool fixed = d.digits == "0" || (d.exponent >= -3 && d.exponent <= 6);
  const std::string body = fixed ? FixedText(d, leadingZero, '.') : ExponentText(d);
  return (single < 0 && body != "0") ? "-" + body : body;
}

// The file form in at most readerWidth characters when that is above 0: a negative value in
// exponent notation with seven digits ("-1.234568E-04") would be 13 characters, and a reader
// that takes 12 would lose its exponent, so it is written with one digit fewer.
std::string FileNumberText(double value, bool leadingZero, std::size_t readerWidth) {
  const float single = ToSingle(value);
  if (!std::isfinite(single))
    return NonFiniteText(single);
  std::string text = FileDigitsText(single, leadingZero, kMaxSignificant);
  for (int digits = kMaxSignificant - 1; readerWidth > 0 && text.size() > readerWidth && digits > 0;
       --digits) {
    text = FileDigitsText(single, leadingZero, digits);
  }
  return text;
}

// ---------------------------------------------------------------------------------------------
// The writers' scheme: scale, choose the decimals, round, back to a single, shortest digits
// ---------------------------------------------------------------------------------------------

enum class NumberForm { Signed, Plain };

struct ScaleRow {
  float limit;    // the row applies from this value (or magnitude) upward
  float divisor;  // x = value / divisor
  const char* unit;
};

double RoundToDecimals(double x, int decimals) {
  const double factor = std::pow(10.0, decimals);
  return std::round(x * factor) / factor;
}

// x rounded to its decimals and written in the given form.
std::string RoundedText(float x, int decimals, NumberForm form, char separator) {
  const float rounded = ToSingle(RoundToDecimals(x, decimals));
  if (!std::isfinite(rounded))
    return NonFiniteText(rounded);
  const bool plain = form == NumberForm::Plain;
  const std::string body = FixedText(ShortestDigits(std::fabs(rounded)), plain, separator);
  if (rounded < 0 && body != "0")
    return "-" + body;
  return plain ? body : " " + body;
}

template <std::size_t N>
const ScaleRow& ChooseRow(const std::array<ScaleRow, N>& rows, float key) {
  for (const ScaleRow& row : rows) {
    if (key >= row.limit)
      return row;
  }
  return rows.back();
}

// ---------------------------------------------------------------------------------------------
// Reader
// ---------------------------------------------------------------------------------------------

constexpr std::size_t kAccLimit = 16;

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::optional<float> PrefixMultiplier(char c) {
  switch (c) {
    case 'P':
    case 'p':
      return 1e-12f;
    case 'N':
    case 'n':
      return 1e-9f;
    case 'U':
    case 'u':
      return 1e-6f;
    case 'm':
      return 1e-3f;
    case 'K':
    case 'k':
      return 1e3f;
    case 'M':
      return 1e6f;
    case 'G':
    case 'g':
      return 1e9f;
    default:
      return std::nullopt;
  }
}

// The numeric string built from the text, and the prefix multiplier that ended it.
struct Scanned {
  std::string acc;
  float multiplier = 1.0f;
};

Scanned ScanEngText(std::string_view text) {
  Scanned s;
  bool suffixSeen = false;
  bool pointSeen = false;
  bool exponentSeen = false;
  for (char c : text) {
    if (s.acc.size() < kAccLimit && !suffixSeen && c >= '0' && c <= '9')
      s.acc.push_back(c);
    if (c == ',')
      c = '.';
    if (c == '.' && !suffixSeen && !pointSeen) {
      pointSeen = true;
      s.acc.push_back('.');
    }
    if (c == '+' || c == '-') {
      if (s.acc.empty() || s.acc.back() == 'E')
        s.acc.push_back(c);
    }
    if (s.acc.empty())
      continue;
    if ((c == 'E' || c == 'e') && !suffixSeen) {
      if (exponentSeen)
        continue;
      exponentSeen = true;
      pointSeen = true;
      s.acc.push_back('E');
    } else if (!exponentSeen && !suffixSeen) {
      if (const auto multiplier = PrefixMultiplier(c)) {
        suffixSeen = true;
        s.multiplier = *multiplier;
        s.acc.push_back(c);
      }
    }
  }
  return s;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the leading decimal number of text (sign, digits, point, digits, exponent).
std::size_t LeadingNumberLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  while (i < text.size() && IsDigit(text[i]))
    ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i;
  }
  if (i < text.size() && text[i] == 'E') {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
      ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j]))
        ++j;
      i = j;
    }
  }
  return i;
}

// The leading number as a double; nullopt when it overflows (a run-time error of the reader).
std::optional<double> LeadingNumber(std::string_view acc) {
  std::string_view number = acc.substr(0, LeadingNumberLength(acc));
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  const bool hasDigit = number.find_first_of("0123456789") < number.find('E');
  if (!hasDigit)
    return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small reads as zero; too large is an overflow.
    const auto exponentAt = number.find('E');
    const bool negativeExponent = exponentAt != std::string_view::npos &&
                                  exponentAt + 1 < number.size() && number[exponentAt + 1] == '-';
    if (negativeExponent)
      return 0.0;
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Public operations
// ---------------------------------------------------------------------------------------------

void ReadEngValue(std::string_view text, float& target) {
  std::string_view trimmed = TrimBlanks(text);
  if (trimmed.size() > kReadWidth)
    trimmed = trimmed.substr(0, kReadWidth);
  const Scanned scanned = ScanEngText(trimmed);
  const std::optional<double> number = LeadingNumber(scanned.acc);
  float value = kClamp;  // a run-time error leaves the overflow value
  if (number) {
    const float single = ToSingle(*number);
    const float product = single * scanned.multiplier;
    if (std::isfinite(single) && std::isfinite(product))
      value = product;
  }
  target = std::clamp(value, -kClamp, kClamp);
}

void ReadEngValue(std::string_view text, int16_t& target) {
  float value = 0.0f;
  ReadEngValue(text, value);
  const long whole = std::lrint(value);  // |value| <= 1e10 fits a 64-bit long
  constexpr long kLow = std::numeric_limits<int16_t>::min();
  constexpr long kHigh = std::numeric_limits<int16_t>::max();
  target = static_cast<int16_t>(std::clamp(whole, kLow, kHigh));
}

std::string FormatFreq(float value) {
  static constexpr std::array<ScaleRow, 5> kRows{{{1e9f, 1e9f, "G "},
                                                  {1e6f, 1e6f, "M "},
                                                  {1000.0f, 1000.0f, "K "},
                                                  {1.0f, 1.0f, "Hz"},
                                                  {-kClamp, 0.001f, "mH"}}};
  const ScaleRow& row = ChooseRow(kRows, value);
  const float x = value / row.divisor;
  if (x == 0.0f)
    return "0.0 ";
  const int decimals = x > 100 ? 2 : x > 10 ? 3 : x > 1 ? 4 : 5;
  return RoundedText(x, decimals, NumberForm::Signed, '.') + row.unit;
}

std::string FormatCap(float value, char decimalSeparator) {
  static constexpr std::array<ScaleRow, 8> kRows{{{1e7f, 1e9f, "GF"},
                                                  {1e4f, 1e6f, "MF"},
                                                  {10.0f, 1000.0f, "KF"},
                                                  {1.0f, 1.0f, "F"},
                                                  {0.01f, 0.001f, "mF"},
                                                  {1e-8f, 1e-6f, "uF"},
                                                  {1e-14f, 1e-12f, "pF"},
                                                  {0.0f, 0.0f, ""}}};
  const ScaleRow& row = ChooseRow(kRows, std::fabs(value));
  if (row.divisor == 0.0f)
    return {};
  const float x = value / row.divisor;
  if (x == 0.0f)
    return {};
  const float ax = std::fabs(x);
  const int decimals = ax > 1000 ? 2 : ax > 100 ? 3 : ax > 10 ? 4 : ax > 1 ? 5 : 6;
  return RoundedText(x, decimals, NumberForm::Plain, decimalSeparator) + row.unit;
}

std::string FormatEng(float value, char decimalSeparator) {
  static constexpr std::array<ScaleRow, 8> kRows{{{1e9f, 1e9f, "G"},
                                                  {1e6f, 1e6f, "M"},
                                                  {1000.0f, 1000.0f, "K"},
                                                  {1.0f, 1.0f, "  "},
                                                  {0.001f, 0.001f, "m"},
                                                  {1e-6f, 1e-6f, "u"},
                                                  {1e-9f, 1e-9f, "n"},
                                                  {0.0f, 1e-12f, "p"}}};
  const ScaleRow& row = ChooseRow(kRows, std::fabs(value));
  const float x = value / row.divisor;
  if (x == 0.0f)
    return "0  ";
  const float ax = std::fabs(x);
  const int decimals = ax > 1000 ? 0 : ax > 100 ? 1 : ax > 10 ? 2 : ax > 1 ? 3 : 4;
  return RoundedText(x, decimals, NumberForm::Plain, decimalSeparator) + row.unit;
}

std::string FormatNum(float value, char decimalSeparator) {
  struct NumRow {
    float limit;
    float divisor;
    int decimals;
    const char* unit;
  };
  static constexpr std::array<NumRow, 7> kRows{{{1e9f, 1e9f, 3, "G"},
                                                {1e6f, 1e6f, 3, "M"},
                                                {1000.0f, 1000.0f, 3, "k"},
                                                {100.0f, 1.0f, 2, " "},
                                                {10.0f, 1.0f, 3, " "},
                                                {1.0f, 1.0f, 4, " "},
                                                {1e-5f, 1.0f, 5, " "}}};
  const float magnitude = std::fabs(value);
  for (const NumRow& row : kRows) {
    const bool applies = row.decimals == 5 ? magnitude > row.limit : magnitude >= row.limit;
    if (!applies)
      continue;
    const float x = value / row.divisor;
    return RoundedText(x, row.decimals, NumberForm::Plain, decimalSeparator) + row.unit;
  }
  return "0";
}

std::string FormatCap(float value) {
  return FormatCap(value, LocaleDecimalSeparator());
}
std::string FormatEng(float value) {
  return FormatEng(value, LocaleDecimalSeparator());
}
std::string FormatNum(float value) {
  return FormatNum(value, LocaleDecimalSeparator());
}

std::string PadField(double value) {
  constexpr std::size_t kWidth = 14;
  std::string text = FileNumberText(value, /*leadingZero=*/false, std::size_t{0});
  if (text.size() < kWidth)
    text.append(kWidth - text.size(), ' ');
  return text;
}

std::string PlainNumber(double value) {
  return FileNumberText(value, /*leadingZero=*/true, kReadWidth);
}

std::string SignedPositionNumber(double value) {
  const std::string text = PlainNumber(value);
  if (text.front() == '-')
    return text + " ";
  return " " + text + " ";
}

char LocaleDecimalSeparator() {
  const std::lconv* conventions = std::localeconv();
  if (conventions == nullptr || conventions->decimal_point == nullptr ||
      conventions->decimal_point[0] == '\0') {
    return '.';
  }
  return conventions->decimal_point[0];
}

std::string Trimmed(std::string_view text) {
  return std::string(TrimBlanks(text));
}

}  // namespace kestro
