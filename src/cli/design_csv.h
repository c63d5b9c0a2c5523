// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "cli/design_results.h"
#include "core/design_record.h"

namespace kestro::cli {

// The run as CSV: the Monte Carlo envelope when it ran ("f_hz,gain_min_db,gain_max_db,
// delay_min_s,delay_max_s"), otherwise the analysed response ("f_hz,gain_db,phase_deg,delay_s"):
// one header line, then one point a line, each single with the fewest digits that read back
// exactly, "." whatever the locale.
void WriteDesignCsv(const DesignRecord& record, const DesignResults& results, std::ostream& out);

}  // namespace kestro::cli
