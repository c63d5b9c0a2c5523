// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// Runs one command: arguments, normal output, error output, messages. Returns the exit code.
using CommandHandler =
    std::function<int(const CliArguments&, std::ostream&, std::ostream&, Dialogs&)>;

// The whole of kestrolab-cli: parses the arguments after the program name, prints the help or
// a usage error, or runs the command. Normal output goes to out, messages to dialogs, errors to
// err. Returns the exit code. extraCommands adds handlers built outside this library (the print
// command, which needs Qt); a command without a handler is reported as not available.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   Dialogs& dialogs,
                   const std::map<std::string, CommandHandler>& extraCommands = {});

}  // namespace kestro::cli
