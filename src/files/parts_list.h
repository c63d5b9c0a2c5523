// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"
#include "files/file_failure.h"

namespace kestro {

// The parts list (bill of materials) of the filter as a CSV file (RFC 4180: comma-separated,
// fields holding a comma, quote or line end quoted, CR LF line ends), for a spreadsheet.
// A header line, then one row per part in the order of the LTspice schematic, stage by stage:
// designator (R1.., C1.., U1.. counted as the schematic counts them), value as the program writes
// parts (47k, 4700pF, "." as decimal point), value in ohms or farads to six significant digits (the
// op-amp's GBW in Hz), the smallest standard series among E6..E192 the value lies on (or empty),
// stage and role.

// One row of the list.
struct PartsListRow {
  std::string designator;
  std::string value;
  std::string siValue;
  std::string series;
  int stage = 0;
  std::string role;
};

std::vector<PartsListRow> PartsListRows(const DesignRecord& record);

// The field as RFC 4180 writes it: quoted, inner quotes doubled, when it holds a comma, a quote,
// CR or LF; as it is otherwise.
std::string CsvField(const std::string& text);

// The header line and the rows, without line ends.
std::vector<std::string> PartsListLines(const DesignRecord& record);

// Writes the list; returns the failure message when it cannot be written.
FileFailure WritePartsList(const DesignRecord& record, const std::string& fileName);

}  // namespace kestro
