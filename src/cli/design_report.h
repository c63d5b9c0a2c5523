// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "core/design_record.h"

namespace kestro::cli {

// What the design command prints about a designed record.
struct ReportOptions {
  bool response = false;  // also the analysed response table
};

// The design parameters, the poles of a family design and the parts list; with the response
// option the analysed points as well.
void WriteDesignReport(const DesignRecord& record, const ReportOptions& options, std::ostream& out);

// "Family: Butterworth", "Order: 3", "Bandwidth: 1000 Hz", for Chebyshev the ripple.
void WriteDesignSummary(const DesignRecord& record, std::ostream& out);
// The normalised poles per stored slot: the real pole of an odd order ("  -1"), then one line
// per pair ("  -0.5 ± j0.8660254"). Nothing for a manual design.
void WritePoles(const DesignRecord& record, std::ostream& out);
// "Stage s:" and R1..R3 (FormatNum), C1..C3 (FormatCap) of every stage.
void WriteParts(const DesignRecord& record, std::ostream& out);
// A "#" header line, then per point: frequency (Hz), gain (dB), phase (degrees), delay (s),
// tab-separated, each single written with the fewest digits that read back exactly.
void WriteResponse(const DesignRecord& record, std::ostream& out);

}  // namespace kestro::cli
