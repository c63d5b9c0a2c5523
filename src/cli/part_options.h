// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The parts options of the design command: standard-capacitor synthesis, rounding to standard
// series (all parts, or resistors and capacitors each to their own) and the parts list.

// The option rows: --round, --round-resistors, --round-capacitors, --standard-caps, --bom.
std::vector<OptionSpec> PartOptionSpecs();

// After the design: with --standard-caps the family design again with series capacitors and
// exact resistors (a stage that keeps its computed capacitors is named through dialogs), then the
// rounding, which makes the design manual as the plot page's rounding does (the parts before it
// are kept for Restore). Analyses the record again when anything changed. Returns kExitOk,
// kExitUsage (--standard-caps for a manual design, on err) or kExitStopped (the capacitors could
// not be solved).
int ApplyPartOptions(const CliArguments& args, DesignRecord& record, std::ostream& err,
                     Dialogs& dialogs);

// --bom FILE: writes the parts list; false when it could not be written (its message shown).
bool WritePartsListOption(const CliArguments& args, const DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro::cli
