// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"

namespace kestro {

// The lines of a session file for the record, without line ends, beginning with firstLine (the
// title line with its date). Like the writer, it recomputes NrStages from Order and NrMarkers
// from the marker slots 1..8 and stores them in the record.
std::vector<std::string> SessionFileLines(DesignRecord& record, const std::string& firstLine);

// A single on a value line: plain decimal text of at most seven significant digits that the
// reader takes whole (at most 12 characters; a longer exponent form drops digits to fit).
std::string SessionNumber(float value);

// A limit line: the five numbers in the signed-position form, the later four each preceded by
// two blanks: " 1    0    1000    0   -3 ".
std::string LimitLine(float shape, float start, float stop, float top, float bottom);

}  // namespace kestro
