// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "cli/message_log.h"
#include "cli/output_paths.h"
#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The file options of the design command: --open reads a session file before the other options
// apply; the writers run after the design.

// The option rows: --open, --save, --tabulate-easy, --tabulate-sci, --spice, --netlist,
// --save-plot, --transient, --out-dir.
std::vector<OptionSpec> FileOptionSpecs();

// With --open FILE: the opening defaults, then the session file read over them ("-" reads
// standard input). Returns false, after "cannot read FILE: " and the reason on err, when the
// file could not be read. What the reader says besides (a value limited on reading) goes to
// notices as messages, so that --strict refuses it, or without them to err.
bool OpenSessionOption(const CliArguments& args, DesignRecord& record, std::ostream& err,
                       OutputPaths& paths, Dialogs* notices = nullptr);

// True, after the repair's message on dialogs, when --transient's frequency would be reset: the
// check --strict makes before anything runs.
bool SquareWaveRepaired(const CliArguments& args, Dialogs& dialogs);

// Where the writers of one run report and write.
struct FileRun {
  std::ostream& report;  // the transient's printout (a sink when standard output is taken)
  std::ostream& out;     // standard output, for the file named "-"
  MessageLog& messages;
  OutputPaths& paths;
  bool strict = false;  // a message while writing (a repaired square wave) stops the run
};

// Runs the writers the options ask for, in the order save, tabulate-easy, tabulate-sci, spice,
// netlist, save-plot, transient, as one set: the files are put in place only when every one of
// them is complete, and then the file named "-" is sent to standard output. Returns kExitOk;
// kExitFile, with every file left as it was, when any of them failed (each reports its own
// message); kExitUsage, with nothing written, when run.strict and a value was repaired.
int WriteFileOptions(const CliArguments& args, DesignRecord& record, const FileRun& run);

}  // namespace kestro::cli
