// SPDX-License-Identifier: GPL-3.0-or-later
// kestro_man_page VERSION DATE: writes the manual page of kestrolab-cli to standard output. Run
// by the build, so the installed page always lists the options --help lists.
#include <iostream>

#include "cli/cli_options.h"
#include "cli/man_page.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::cerr << "usage: kestro_man_page VERSION DATE\n";
    return 2;
  }
  std::cout << kestro::cli::ManPage(kestro::cli::CliOptions(), argv[1], argv[2]);
  return std::cout.flush() ? 0 : 1;
}
