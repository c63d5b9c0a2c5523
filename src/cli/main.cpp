// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <clocale>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/stderr_dialogs.h"
#ifdef KESTRO_CLI_PRINT
#include "cli/print_command.h"
#endif

int main(int argc, char** argv) {
  // Standard output and files never follow the user's locale: numbers always have ".".
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  kestro::cli::StderrDialogs dialogs(std::cerr, isatty(STDERR_FILENO) == 1);
  std::map<std::string, kestro::cli::CommandHandler> extraCommands;
#ifdef KESTRO_CLI_PRINT
  extraCommands["print"] = kestro::cli::RunPrint;
#endif
  return kestro::cli::RunCommandLine(args, std::cout, std::cerr, dialogs, extraCommands);
}
