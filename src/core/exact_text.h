// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestro {

// A single with the fewest digits that read back to it, "." whatever the locale: 0.1f reads
// "0.1", 1e-13f "1e-13".
std::string ExactText(float value);
// The same for a double: the fewest digits that read back to it.
std::string ExactText(double value);

}  // namespace kestro
