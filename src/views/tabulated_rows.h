// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"

namespace kestro {

// The rows of the tabulated response: per analysis point the frequency (FormatFreq), gain and
// phase (FormatNum) and delay (FormatEng), each text as its formatter writes it, blanks included.

// A text padded to a 12-character field; a text of 11 or more characters is followed by 2 blanks.
std::string PadTabulatedField(const std::string& text);

// The row of point i: the four padded fields one after the other.
std::string TabulatedRow(const DesignRecord& record, int i);

// Rows 0..Nints (Nints bounded by the response arrays).
std::vector<std::string> TabulatedRows(const DesignRecord& record);

}  // namespace kestro
