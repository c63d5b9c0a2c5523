// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"

namespace kestro::cli {

// The op-amp options of the design command: --gbw chooses a single-pole op-amp and switches the
// analysis to it, --slew and --amplitude give its slew-rate check, --sensitivity ranks the parts.

// The option rows: --gbw, --slew, --amplitude, --sensitivity.
std::vector<OptionSpec> OpampOptionSpecs();

// Puts the op-amp values given into the record (before the design analyses it); --gbw also
// switches the op-amp on. A value that is not above 0 is a usage error: false, with its message
// on err, and the record unchanged.
bool ReadOpampOptions(const CliArguments& args, DesignRecord& record, std::ostream& err);

}  // namespace kestro::cli
