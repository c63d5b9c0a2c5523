// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kestro {

// The page writers of numbers in engineering notation: labels, fields and tables.

// Frequencies, signed form: " 3K ", " 12.5Hz", " 100mH"; 0 gives "0.0 ".
std::string FormatFreq(float value);
// Capacitors, plain form in the pages' decimal separator: "0.01uF", "4700pF"; tiny values give "".
std::string FormatCap(float value);
// Delays and small quantities, plain form: "1.2m", "3.5  "; 0 gives "0  ".
std::string FormatEng(float value);
// Plain numbers with G, M or k for large values: "47k", "512 ", "-50 "; 0 gives "0".
std::string FormatNum(float value);

// The plain-form writers with an explicit decimal separator instead of the user's.
std::string FormatCap(float value, char decimalSeparator);
std::string FormatEng(float value, char decimalSeparator);
std::string FormatNum(float value, char decimalSeparator);

// The decimal separator of the plain form without an explicit one: "." unless the program chose
// a locale's own with UseLocaleDecimalSeparator. The process locale never changes it, so files
// and standard output always have ".".
char LocaleDecimalSeparator();
// Makes the plain form use the decimal separator of the named locale ("" is the user's, from the
// environment): the desktop program's pages show the user's own. False, and nothing changed,
// when the locale is not available.
bool UseLocaleDecimalSeparator(const char* localeName);

// A writer's text without its leading and trailing blanks, as labels and captions show it.
std::string Trimmed(std::string_view text);

}  // namespace kestro
