#pragma once

#include <ostream>

#include "cli/cli_arguments.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The design command: starts from the opening defaults, takes the options as the design page
// takes its fields (read by ReadEngValue, repaired with the page's messages through dialogs),
// runs the Design command and prints the report to out. Usage errors go to err.
// Returns kExitOk, kExitStopped (the stopping frequency is not above the start) or kExitUsage.
int RunDesign(const CliArguments& args, std::ostream& out, std::ostream& err, Dialogs& dialogs);

}  // namespace kestro::cli
