// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"
#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro::cli {

// The gain-limit options of the design command: --erase-limits empties the limits (of an opened
// session) first, then each --limit SHAPE,FREQ,GAIN adds one to set 1 as a click at FREQ Hz and
// GAIN dB on the plot would: at the analysis frequency FREQ picks on the analysed sweep.

// The option rows: --limit, --erase-limits.
std::vector<OptionSpec> LimitOptionSpecs();

// One --limit as typed and read.
struct LimitOption {
  std::string text;
  int16_t shape = 0;
  float freq = 0;
  float gain = 0;
};

// Reads every --limit before anything runs. A malformed one sets error and gives nothing; digits
// dropped after a prefix letter are named through dialogs.
std::optional<std::vector<LimitOption>> ReadLimitOptions(const CliArguments& args, Dialogs& dialogs,
                                                         std::string& error);

// After the analysis: --erase-limits, then the limits into set 1, each at the analysis frequency
// its FREQ picks (one beyond the sweep at its nearer end, with a message). A limit beyond the
// ninth is refused with a message and skipped.
void ApplyLimitOptions(const CliArguments& args, const std::vector<LimitOption>& limits,
                       DesignRecord& record, Dialogs& dialogs);

// "Limits:" and the edit list's row of every listed limit of set 1, then "LimitError: " and the
// limit error of the analysed response (dB). Nothing when set 1 holds no limits.
void WriteLimitReport(const DesignRecord& record, std::ostream& out);

}  // namespace kestro::cli
