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

}  // namespace kestro
