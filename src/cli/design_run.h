// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "cli/cli_arguments.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The design command: starts from the opening defaults, takes the options as the design page
// takes its fields (read by ReadEngValue, repaired with the page's messages through dialogs),
// runs the Design command and prints the report to out. A number that cannot be read counts as 0
// and is repaired like any other out-of-range value. Returns kExitOk, kExitStopped (the sweep is
// empty: the stop is not above the start, or the start is not below 10 MHz; or the capacitors
// could not be solved, and then nothing is printed and no file written), kExitUsage (an unusable
// --limit, --passes or --seed) or kExitFile. The optimizer and the Monte Carlo analysis run
// after the report and before the files are written, so --save keeps the optimized parts.
int RunDesign(const CliArguments& args, std::ostream& out, std::ostream& err, Dialogs& dialogs);

}  // namespace kestro::cli
