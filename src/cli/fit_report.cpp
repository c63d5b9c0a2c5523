// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fit_report.h"

#include <algorithm>
#include <string>

#include "cli/exit_codes.h"
#include "core/eng_value.h"
#include "core/family_name.h"
#include "usecase/design_command.h"

namespace kestro::cli {

namespace {

void WriteFitRow(const FitRow& row, std::ostream& out) {
  out << "  " << FamilyName(row.family) << ": ";
  if (!row.met) {
    out << row.message << '\n';
    return;
  }
  out << "order " << row.order << ", bandwidth " << PlainNumber(row.bandwidth) << " Hz";
  if (row.family == kChebyshev)
    out << ", ripple " << PlainNumber(row.ripple) << " dB";
  out << ", margin " << PlainNumber(row.marginDb) << " dB\n";
}

}  // namespace

std::vector<OptionSpec> FitOptionSpecs() {
  return {{"fit-limits",
           "",
           "with gain limits set, print for Butterworth, Chebyshev and Bessel the lowest order "
           "(to 11, Bessel 10) and a bandwidth at which every limit holds, the Chebyshev ripple "
           "(the largest the floors allow, at most 3 dB) and the smallest margin to a limit; "
           "with --family, design that family's row",
           {}}};
}

void WriteFitTable(const std::vector<FitRow>& rows, std::ostream& out) {
  out << "Fit to limits:\n";
  for (const FitRow& row : rows)
    WriteFitRow(row, out);
}

int RunFitLimits(const CliArguments& args, DesignRecord& record, std::ostream& out,
                 std::ostream& err, Dialogs& dialogs) {
  if (!args.Flag("fit-limits"))
    return kExitOk;
  const auto family = args.Value("family");
  if (family == "manual") {
    err << "kestrolab-cli: --fit-limits designs a Butterworth, Chebyshev or Bessel row, not a "
           "manual design\n";
    return kExitUsage;
  }
  const std::vector<FitRow> rows = FitToLimits(record);
  WriteFitTable(rows, out);
  if (!family)
    return kExitOk;
  // The design already carries the family the option named.
  const auto chosen = std::find_if(rows.begin(), rows.end(),
                                   [&](const FitRow& row) { return row.family == record.Family; });
  if (chosen == rows.end())
    return kExitOk;
  if (!chosen->met) {
    dialogs.Message(std::string(FamilyName(chosen->family)) + ": " + chosen->message);
    return kExitStopped;
  }
  ApplyFitRow(record, *chosen);
  return FinishDesignCommand(record, dialogs) ? kExitOk : kExitStopped;
}

}  // namespace kestro::cli
