// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"

namespace kestro::cli {

// The optimizer and Monte Carlo options of the design command, checked before anything runs.
struct LongRunSettings {
  bool optimize = false;
  float tolerance = 0;  // MCTolerance, the full relative width; 0 without --monte-carlo
  int passes = 1000;
  std::optional<uint32_t> seed;
};

// The option rows: --optimize, --monte-carlo, --passes, --seed.
std::vector<OptionSpec> LongRunOptionSpecs();

// The settings the options ask for; nullopt, with the reason on err, when --passes or
// --seed cannot be used.
std::optional<LongRunSettings> ReadLongRunSettings(const CliArguments& args, std::ostream& err);

}  // namespace kestro::cli
