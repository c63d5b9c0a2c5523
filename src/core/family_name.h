// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kestro {

// "Butterworth", "Chebyshev" or "Bessel" for the three designed families; nullptr for a manual
// design or an unknown code, which each surface names in its own words.
const char* FamilyName(int16_t family);

}  // namespace kestro
