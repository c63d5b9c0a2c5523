// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kestro::label_text {

// Small text helpers for the labels and captions of the analysis page.

// The shortest decimal form of a value with at most seven significant digits: no trailing zeros,
// no trailing point, a zero before the point (0.5), "." as the separator, exponent form
// ("1E+07") only for very large or very small values.
std::string ShortestDecimal(double value);

// The same digits with the decimal separator of the user's locale.
std::string ShortestDecimalLocal(double value);

// A number as the marker table writes it: a leading blank when it is not negative (" 1000").
std::string SignedNumber(double value);

}  // namespace kestro::label_text
