#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestro {

// Reading and writing of numbers in engineering notation (4.7k, 10M, 2,2n, 1.5E-3).

// Reads free text into a single. Takes at most the first 12 characters after trimming, accepts a
// comma as the decimal point and one prefix letter (p n u m k M G), which ends the number.
// The result is clamped to [-1e10, 1e10]; an overflow gives 1e10.
void ReadEngValue(std::string_view text, float& target);
// Same, stored into a 16-bit integer: rounded half to even and clamped to the int16 range.
void ReadEngValue(std::string_view text, int16_t& target);

// Frequencies, signed form: " 3K ", " 12.5Hz", " 100mH".
std::string FormatFreq(float value);
// Capacitors, plain form in the user's decimal separator: "0.01uF", "4700pF"; tiny values give "".
std::string FormatCap(float value);
// Delays and small quantities, plain form: "1.2m", "3.5  ".
std::string FormatEng(float value);
// Plain numbers with G, M or k for large values: "47k", "512 ", "-50 ".
std::string FormatNum(float value);
// The shortest decimal form of a value, padded with blanks to 14 characters.
std::string PadField(double value);

// Number forms of the text files: "." as separator whatever the locale, at most seven
// significant digits, fixed or exponent notation.
std::string PlainNumber(double value);         // "-50", "1E-08", "3000"
std::string SignedPositionNumber(double value);  // " 3000 ", "-50 "

// The user's decimal separator (from LC_NUMERIC), used by the plain form of the writers.
char LocaleDecimalSeparator();

}  // namespace kestro
