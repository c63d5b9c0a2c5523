// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestro::digits {

// Decimal digits of singles, shared by the page writers and the file number forms.

constexpr int kMaxSignificant = 7;  // a single's digits as the files and pages write them

// A magnitude as decimal digits: d1.d2d3... x 10^exponent, no trailing zeros ("0" for zero).
struct Digits {
  std::string digits;
  int exponent = 0;
};

// The fewest digits (at most maxDigits) that read back to the same single (subnormals too);
// maxDigits when none does.
Digits ShortestDigits(float magnitude, int maxDigits = kMaxSignificant);
// Fixed notation of the digits. Without leadingZero, 0.5 is written ".5".
std::string FixedText(const Digits& d, bool leadingZero, char separator);
// Exponent notation: mantissa, "E", sign, two-digit exponent ("2.2E-09", "1E+11").
std::string ExponentText(const Digits& d);
// "NaN", "Inf" or "-Inf".
std::string NonFiniteText(float value);
// A double as a single without undefined behaviour outside the single range.
float ToSingle(double value);

}  // namespace kestro::digits
