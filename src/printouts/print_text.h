#pragma once

#include <string>

#include "platform/print_device.h"

namespace kestro::print_text {

// Small text helpers shared by the printed sheets.

// Text with its top-left corner at (x, y) twips; the position is left just after it.
void PrintAt(PrintDevice& device, float x, float y, const std::string& text);

// The local date and time of the footers: "2026-12-06 11:45:03".
std::string DateTimeNow();

// A number in plain decimal with a sign position: a blank before a value that is not negative,
// "." as the separator whatever the locale (" 1000", "-3.5", " 0.01").
std::string SignedDecimal(double value);

}  // namespace kestro::print_text
