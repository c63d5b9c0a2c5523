// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_numbers.h"

#include <cmath>

#include "core/decimal_digits.h"

namespace kestro {

using digits::kMaxSignificant;

namespace {

constexpr std::size_t kReaderWidth = 12;  // characters ReadEngValue takes of a value

// The file form with at most maxDigits significant digits: fixed for decimal exponents -3..6,
// exponent notation otherwise.
std::string FileDigitsText(float single, bool leadingZero, int maxDigits) {
  const digits::Digits d = digits::ShortestDigits(std::fabs(single), maxDigits);
  const bool fixed = d.digits == "0" || (d.exponent >= -3 && d.exponent <= 6);
  const std::string body = fixed ? digits::FixedText(d, leadingZero, '.') : digits::ExponentText(d);
  return (single < 0 && body != "0") ? "-" + body : body;
}

// The file form in at most readerWidth characters when that is above 0: a negative value in
// exponent notation with seven digits ("-1.234568E-04") would be 13 characters, and a reader
// that takes 12 would lose its exponent, so it is written with one digit fewer.
std::string FileNumberText(double value, bool leadingZero, std::size_t readerWidth) {
  const float single = digits::ToSingle(value);
  if (!std::isfinite(single))
    return digits::NonFiniteText(single);
  std::string text = FileDigitsText(single, leadingZero, kMaxSignificant);
  for (int digits = kMaxSignificant - 1; readerWidth > 0 && text.size() > readerWidth && digits > 0;
       --digits) {
    text = FileDigitsText(single, leadingZero, digits);
  }
  return text;
}

}  // namespace

std::string PadField(double value) {
  constexpr std::size_t kWidth = 14;
  std::string text = FileNumberText(value, /*leadingZero=*/false, std::size_t{0});
  if (text.size() < kWidth)
    text.append(kWidth - text.size(), ' ');
  return text;
}

std::string PlainNumber(double value) {
  return FileNumberText(value, /*leadingZero=*/true, kReaderWidth);
}

std::string SignedPositionNumber(double value) {
  const std::string text = PlainNumber(value);
  if (text.front() == '-')
    return text + " ";
  return " " + text + " ";
}

}  // namespace kestro
