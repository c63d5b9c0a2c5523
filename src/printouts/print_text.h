// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/print_device.h"

namespace kestro::print_text {

// Small text helpers shared by the printed sheets.

// Text with its top-left corner at (x, y) twips; the position is left just after it.
void PrintAt(PrintDevice& device, float x, float y, const std::string& text);

// A number in plain decimal with a sign position: a blank before a value that is not negative,
// "." as the separator whatever the locale (" 1000", "-3.5", " 0.01").
std::string SignedDecimal(double value);

}  // namespace kestro::print_text
