#pragma once

#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The file options of the design command: --open reads a session file before the other options
// apply; the writers run after the design.

// The option rows: --open, --save, --tabulate-easy, --tabulate-sci, --spice, --save-plot,
// --transient.
std::vector<OptionSpec> FileOptionSpecs();

// With --open FILE: the opening defaults, then the session file read over them. Returns false,
// after "cannot read FILE: " and the reason on err, when the file could not be read.
bool OpenSessionOption(const CliArguments& args, DesignRecord& record, std::ostream& err);

// Runs the writers the options ask for, in the order save, tabulate-easy, tabulate-sci, spice,
// save-plot, transient, as one set: the files are put in place only when every one of them is
// complete. Returns false, with every file left as it was, when any of them failed (each
// reports its own message).
bool WriteFileOptions(const CliArguments& args, DesignRecord& record, std::ostream& out,
                      Dialogs& dialogs);

}  // namespace kestro::cli
