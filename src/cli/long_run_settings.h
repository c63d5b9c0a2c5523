#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"

namespace kestro::cli {

// One gain limit of --limit, as a click on the plot makes it: a floor up to `freq` Hz at `gain`
// dB, a ceiling from `freq` upward or from DC up to `freq`.
struct LimitOption {
  int16_t shape = 0;
  float freq = 0;
  float gain = 0;
};

// The optimizer and Monte Carlo options of the design command, checked before anything runs.
struct LongRunSettings {
  std::vector<LimitOption> limits;
  bool optimize = false;
  float tolerance = 0;  // MCTolerance, the full relative width; 0 without --monte-carlo
  int passes = 1000;
  std::optional<uint32_t> seed;
};

// The option rows: --limit, --optimize, --monte-carlo, --passes, --seed.
std::vector<OptionSpec> LongRunOptionSpecs();

// The settings the options ask for; nullopt, with the reason on err, when --limit, --passes or
// --seed cannot be used.
std::optional<LongRunSettings> ReadLongRunSettings(const CliArguments& args, std::ostream& err);

// Adds the --limit limits to set 1 of the record (after those a --open file holds) and shows them.
void AddLimitOptions(const LongRunSettings& settings, DesignRecord& record);

}  // namespace kestro::cli
