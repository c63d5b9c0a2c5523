// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/eng_writers.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <atomic>
#include <cmath>

#include "core/decimal_digits.h"

namespace kestro {

using digits::FixedText;
using digits::NonFiniteText;
using digits::ShortestDigits;
using digits::ToSingle;

namespace {

constexpr float kLowestFrequencyRow = -1e10f;  // the mH row takes everything below 1 Hz

// The writers' scheme: scale, choose the decimals, round, back to a single, shortest digits.

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

}  // namespace

std::string FormatFreq(float value) {
  static constexpr std::array<ScaleRow, 5> kRows{{{1e9f, 1e9f, "G "},
                                                  {1e6f, 1e6f, "M "},
                                                  {1000.0f, 1000.0f, "K "},
                                                  {1.0f, 1.0f, "Hz"},
                                                  {kLowestFrequencyRow, 0.001f, "mH"}}};
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

namespace {
// The plain form's separator: "." until the program chooses a locale's own.
std::atomic<char> displaySeparator{'.'};
}  // namespace

char LocaleDecimalSeparator() {
  return displaySeparator.load(std::memory_order_relaxed);
}

// Asks the named locale directly, so that the process locale (which a Qt application sets from
// the environment) never decides how a number is written.
bool UseLocaleDecimalSeparator(const char* localeName) {
  const locale_t locale = ::newlocale(LC_NUMERIC_MASK, localeName, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr))
    return false;
  const char* point = ::nl_langinfo_l(RADIXCHAR, locale);
  displaySeparator = point != nullptr && point[0] != '\0' ? point[0] : '.';
  ::freelocale(locale);
  return true;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace kestro
