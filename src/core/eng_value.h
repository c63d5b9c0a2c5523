#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestro {

// Reading and writing of numbers in engineering notation (4.7k, 10M, 2,2n, 1.5E-3).

// --- Reader ---

// Reads free text into a single. Takes at most the first 12 characters after trimming, accepts a
// comma as the decimal point and one prefix letter (p n u m k M G), which ends the number.
// The result is clamped to [-1e10, 1e10]; an overflow gives 1e10.
void ReadEngValue(std::string_view text, float& target);
// Same, stored into a 16-bit integer: rounded half to even and clamped to the int16 range.
void ReadEngValue(std::string_view text, int16_t& target);

// --- Writers of the pages ---

// Frequencies, signed form: " 3K ", " 12.5Hz", " 100mH"; 0 gives "0.0 ".
std::string FormatFreq(float value);
// Capacitors, plain form in the user's decimal separator: "0.01uF", "4700pF"; tiny values give "".
std::string FormatCap(float value);
// Delays and small quantities, plain form: "1.2m", "3.5  "; 0 gives "0  ".
std::string FormatEng(float value);
// Plain numbers with G, M or k for large values: "47k", "512 ", "-50 "; 0 gives "0".
std::string FormatNum(float value);

// The plain-form writers with an explicit decimal separator instead of the user's.
std::string FormatCap(float value, char decimalSeparator);
std::string FormatEng(float value, char decimalSeparator);
std::string FormatNum(float value, char decimalSeparator);

// --- Number forms of the text files ---
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

// The user's decimal separator (from LC_NUMERIC), used by the plain form of the writers.
char LocaleDecimalSeparator();

// A writer's text without its leading and trailing blanks, as labels and captions show it.
std::string Trimmed(std::string_view text);

}  // namespace kestro
