// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_text.h"

#include "core/eng_value.h"

namespace kestro::print_text {

void PrintAt(PrintDevice& device, float x, float y, const std::string& text) {
  device.SetPosition(x, y);
  device.Write(text);
}

std::string SignedDecimal(double value) {
  return (value >= 0 ? " " : "") + PlainNumber(value);
}

}  // namespace kestro::print_text
