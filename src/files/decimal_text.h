#pragma once

#include <optional>
#include <string_view>

namespace kestro {

// Plain decimal reading of the numbers on limit lines and overlay files, whatever the locale:
// the number at the start of text (optional sign, digits, optional "." and fraction, optional
// exponent "E" with sign and digits); reading stops at the first other character. Text that does
// not begin with a number reads as 0. Returns nothing when the number is too large for a single;
// a number too small for one reads as 0.
std::optional<float> LeadingDecimal(std::string_view text);

}  // namespace kestro
