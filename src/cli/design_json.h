// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>

#include "cli/design_results.h"
#include "core/design_record.h"

namespace kestro::cli {

// The design run as one JSON object, keys in this order, every number in SI units: version; design
// (family, order, bandwidth_hz, ripple_db); poles [{re, im}]; stages [{stage, kind, f0_hz, q,
// real_pole_hz, parts {R1_ohm, R2_ohm, R3_ohm, C1_f, C2_f, C3_f}, gbw_needed_hz, warnings}]; limits
// [{shape, start_hz, stop_hz, top_db, bottom_db}]; limit_error; response; monte_carlo;
// optimizer; messages. A key with nothing to give (the ripple of a Butterworth design, the
// limit error without limits, a long run not asked for) holds null.
nlohmann::ordered_json DesignJson(const DesignRecord& record, const DesignResults& results);

}  // namespace kestro::cli
