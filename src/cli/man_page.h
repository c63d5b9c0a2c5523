// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_options.h"

namespace kestro::cli {

// The manual page kestrolab-cli(1) in roff, built from the same table of commands and options,
// number rules and exit codes as --help, so the two cannot drift apart. date is the page's
// date ("2026-12-06"), version the program's ("0.1.0").
std::string ManPage(const CliOptions& options, std::string_view version, std::string_view date);

}  // namespace kestro::cli
