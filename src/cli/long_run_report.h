#pragma once

#include <ostream>

#include "cli/long_run_settings.h"
#include "core/design_record.h"
#include "platform/event_pump.h"

namespace kestro::cli {

// The optimizer on the record's gain limits, as the plot page runs it:
//   trial 12: error 37.25
//   ...            (one line per improvement)
//   Stage 1: ...   (the final parts)
//   limit error: 0
// The design becomes manual, so --save keeps the fitted parts.
void RunOptimizerReport(DesignRecord& record, Random& random, std::ostream& out);

// settings.passes toleranced analyses of the record (every part spread by settings.tolerance / 2
// each way), then
// the envelope, one point a line: frequency (Hz), gain min and max (dB), delay min and max (s),
// the nominal response included as the plot page draws it over the passes. With gain limits the
// yield follows: "yield: 874 / 1000 passes inside all gain limits". The record holds its nominal
// parts and response afterwards.
void RunMonteCarloReport(DesignRecord& record, const LongRunSettings& settings, Random& random,
                         std::ostream& out);

}  // namespace kestro::cli
