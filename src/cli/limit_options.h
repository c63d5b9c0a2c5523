#pragma once

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
// GAIN dB on the plot would.

// The option rows: --limit, --erase-limits.
std::vector<OptionSpec> LimitOptionSpecs();

// Applies the options to the record. A malformed --limit sets error and returns false, with the
// record unchanged by it; a limit beyond the ninth is refused with a message and skipped.
bool ApplyLimitOptions(const CliArguments& args, DesignRecord& record, Dialogs& dialogs,
                       std::string& error);

// "Limits:" and the edit list's row of every listed limit of set 1, then "LimitError: " and the
// limit error of the analysed response (dB). Nothing when set 1 holds no limits.
void WriteLimitReport(const DesignRecord& record, std::ostream& out);

}  // namespace kestro::cli
