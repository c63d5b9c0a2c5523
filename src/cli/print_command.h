// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "cli/cli_arguments.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The print command: reads the session file of --open, analyses it and prints the KIND sheet
// (summary, table, schematic, plot, poles or waves) into the PDF file of --pdf, or a one-page
// sheet into the SVG or PNG picture of --svg or --png, through the same printouts as the window,
// on Qt's offscreen platform: no display is needed. The plot shows the file's markers and
// limits, and phase and delay with --phase and --delay; poles the rectangular grid with --grid;
// waves needs --transient FREQ. Returns kExitOk, kExitUsage (a missing or conflicting option) or
// kExitFile (the session file could not be read, or the printer failed: its message says why).
int RunPrint(const CliArguments& args, std::ostream& out, std::ostream& err, Dialogs& dialogs);

}  // namespace kestro::cli
