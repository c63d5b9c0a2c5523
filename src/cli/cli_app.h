#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace kestro::cli {

// The whole of kestrolab-cli: parses the arguments after the program name, prints the help or
// a usage error, or runs the command. Normal output goes to out, messages to dialogs, errors to
// err. Returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   Dialogs& dialogs);

}  // namespace kestro::cli
