// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/long_run_settings.h"

#include <sstream>
#include <string>

#include "cli/whole_number.h"
#include "core/eng_value.h"
#include "core/gain_limits.h"

namespace kestro::cli {
namespace {

constexpr int kMaxPasses = 32767;  // the page's pass counter is a 16-bit count

}  // namespace

std::vector<OptionSpec> LongRunOptionSpecs() {
  return {
      {"optimize",
       "",
       "fit the capacitors into the gain limits by the random search of the plot page (up to "
       "2000 trials); prints each improvement, the final parts and the limit error",
       {}},
      {"monte-carlo",
       "PERCENT",
       "toleranced analysis with every part spread uniformly by +-PERCENT (1, 2, 5, 10 or 20); "
       "prints the envelope (frequency, gain min and max, delay min and max) and, with gain "
       "limits, the yield",
       {"1", "2", "5", "10", "20"}},
      {"passes", "N", "Monte Carlo passes, 1 to 32767; default 1000", {}},
      {"seed",
       "N",
       "start the random generator at seed N (0 to 4294967295) to repeat a run; without it the "
       "sequence starts as the window's does",
       {}},
  };
}

std::optional<LongRunSettings> ReadLongRunSettings(const CliArguments& args, std::ostream& err) {
  LongRunSettings settings;
  settings.optimize = args.Flag("optimize");
  if (const auto percent = args.Value("monte-carlo"))
    settings.tolerance = 2.0f * static_cast<float>(std::stoi(*percent)) / 100.0f;
  if (const auto text = args.Value("passes")) {
    const auto passes = WholeNumber<int>(*text, 1, kMaxPasses);
    if (!passes) {
      err << "kestrolab-cli: --passes '" << *text << "' is not a whole number from 1 to "
          << kMaxPasses << '\n';
      return std::nullopt;
    }
    settings.passes = *passes;
  }
  if (const auto text = args.Value("seed")) {
    settings.seed = WholeNumber<uint32_t>(*text, 0, UINT32_MAX);
    if (!settings.seed) {
      err << "kestrolab-cli: --seed '" << *text << "' is not a whole number from 0 to 4294967295\n";
      return std::nullopt;
    }
  }
  return settings;
}

}  // namespace kestro::cli
