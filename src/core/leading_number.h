// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kestro {

// The one scanner of plain decimal numbers, shared by the engineering-notation reader and the
// readers of limit lines and overlay files: optional sign, digits, optional "." and fraction,
// optional exponent ("E" or "e", sign, digits), whatever the locale.

// Length of the number at the start of text; 0 when it does not begin with one. An "E" without
// digits after it is not part of the number.
std::size_t LeadingNumberLength(std::string_view text);

// The number at the start of text as a double: 0 when text does not begin with a number or the
// number is too small for a double; nothing when it is too large for one.
std::optional<double> LeadingNumber(std::string_view text);

// The number at the start of text as a single, rounded once from its decimal text: a number
// below the single range reads as 0 (subnormals are kept), one above it as -FLT_MAX or FLT_MAX,
// the overflow value, and text that does not begin with a number as 0.
float LeadingDecimal(std::string_view text);

// The same single, but nothing for a number whose double lies beyond the single range: the
// reader of engineering values takes such a number as its overflow value, whatever its sign.
std::optional<float> LeadingSingle(std::string_view text);

}  // namespace kestro
