// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "core/design_record.h"

namespace kestro::cli {

// The stage lines of the design report, from the parts as they are now:
// "Stage N: f0 = 10000 Hz, Q = 0.5411961, GBW needed = 52342.1 Hz", then ", real pole = … Hz"
// for the three-pole stage and ", margin = …" with an op-amp chosen. Then "Warning: " and each
// build warning, and with a slew rate "Full-power bandwidth: … Hz" and its warning when it is
// below the filter's bandwidth.
void WriteStageReport(const DesignRecord& record, std::ostream& out);

// "Sensitivities (gain change for +1 % of the part):" and one line per part, largest first:
// "  Stage 2 C2: 0.1234567 dB".
void WriteSensitivityReport(const DesignRecord& record, std::ostream& out);

}  // namespace kestro::cli
