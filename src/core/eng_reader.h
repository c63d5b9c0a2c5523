// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace kestro {

// Reading of numbers in engineering notation (4.7k, 10M, 2,2n, 1.5E-3) as the pages and the
// session file take them.

// Reads free text into a single. Takes at most the first 12 characters after trimming, accepts a
// comma as the decimal point and one prefix letter (p n u m k M G), which ends the number.
// The result is clamped to [-1e10, 1e10]; an overflow gives 1e10.
void ReadEngValue(std::string_view text, float& target);
// Same, stored into a 16-bit integer: rounded half to even and clamped to the int16 range.
void ReadEngValue(std::string_view text, int16_t& target);

// The text the reader drops after the prefix letter that ends the number, when it holds a digit
// ("4k7" gives "7", read as 4000); empty when nothing that looks like part of the number is lost
// ("4.7k", "100kHz"). Trailing blanks are not part of it.
std::string_view IgnoredAfterPrefix(std::string_view text);

}  // namespace kestro
