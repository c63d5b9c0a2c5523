// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestro {

// Number forms of the text files.
// The value is taken as a single and written with the fewest digits (at most seven significant)
// that read back to that single, "." as separator whatever the locale. Fixed notation is used
// when the rounded value's decimal exponent lies in -3..6 (0.001 <= |v| < 1e7), exponent
// notation otherwise: mantissa, "E", sign, two-digit exponent. Zero is "0"; a value outside the
// single range gives "Inf" or "-Inf", a NaN "NaN".

// The shortest decimal form without a zero before the point (".5", "-3.0103",
// "1.234568E-04"), padded with blanks to 14 characters; a longer text is not shortened.
std::string PadField(double value);
// "-50", "0.0012", "1000000", "2.2E-09", "1E+11". The text is at most 12 characters long, the
// width ReadEngValue takes: a negative value in exponent notation keeps six significant digits.
std::string PlainNumber(double value);
// The sign position (a blank, or "-"), the PlainNumber magnitude and one blank: " 1 ", "-3 ".
std::string SignedPositionNumber(double value);

}  // namespace kestro
