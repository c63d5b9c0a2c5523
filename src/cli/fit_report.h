// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"
#include "platform/dialogs.h"
#include "usecase/limit_fit.h"

namespace kestro::cli {

// --fit-limits: for each family the lowest order and a bandwidth that keep every gain limit.

// The option row: --fit-limits.
std::vector<OptionSpec> FitOptionSpecs();

// "Fit to limits:" and a line per family: "  Butterworth: order 5, bandwidth 2184.3 Hz, margin
// 0.52 dB" (a Chebyshev row also gives ", ripple … dB" before the margin), or "  Bessel: " and
// why no order meets the mask.
void WriteFitTable(const std::vector<FitRow>& rows, std::ostream& out);

// With --fit-limits, after the limits are set: prints the table and, with --family, designs that
// family's row (analysed, the limits kept). Returns kExitOk (also without --fit-limits),
// kExitUsage (--family manual, on err) or kExitStopped (the family has no row, or its
// capacitors could not be solved; the message goes through dialogs).
int RunFitLimits(const CliArguments& args, DesignRecord& record, std::ostream& out,
                 std::ostream& err, Dialogs& dialogs);

}  // namespace kestro::cli
