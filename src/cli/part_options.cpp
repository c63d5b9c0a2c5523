// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/part_options.h"

#include <string>

#include "analysis/response_engine.h"
#include "cli/exit_codes.h"
#include "core/standard_series.h"
#include "files/parts_list.h"
#include "synthesis/part_rounding.h"
#include "synthesis/standard_cap_synthesis.h"
#include "usecase/design_command.h"

namespace kestro::cli {

namespace {

const std::vector<std::string> kRoundingSeries{"e192", "e96", "e48", "e24", "e12", "e6"};

const StandardSeries* SeriesOption(const CliArguments& args, const char* option) {
  const auto name = args.Value(option);
  return name ? StandardSeries::Named(*name) : nullptr;
}

// --round for every part, then --round-resistors and --round-capacitors for their kind.
PartSeries RoundingOptions(const CliArguments& args) {
  PartSeries series;
  if (const StandardSeries* all = SeriesOption(args, "round"))
    series = PartSeries::For(RoundedParts::kAll, *all);
  if (const StandardSeries* resistors = SeriesOption(args, "round-resistors"))
    series.resistors = resistors;
  if (const StandardSeries* capacitors = SeriesOption(args, "round-capacitors"))
    series.capacitors = capacitors;
  return series;
}

// The plot page's rounding: the parts are kept for Restore and become the user's.
void RoundParts(DesignRecord& record, const PartSeries& series) {
  for (int s = 1; s <= StageCount(record); ++s) {
    record.Rsaved[s] = record.R[s];
    record.Csaved[s] = record.C[s];
  }
  RoundToSeries(record, series);
  record.Rounded = 1;
  record.Family = kManual;
  record.PartsModified = 1;
}

// Standard capacitors, resistors computed for them: false when the synthesis failed.
bool UseStandardCaps(DesignRecord& record, const StandardSeries& caps,
                     const StandardSeries* resistors, Dialogs& dialogs) {
  const StandardCapsOutcome outcome = SynthesizeWithStandardCaps(record, caps, resistors);
  if (!outcome.solved) {
    dialogs.Message(std::string(kComputeCapsError));
    return false;
  }
  if (!outcome.message.empty())
    dialogs.Message(outcome.message);
  record.PartsModified = 1;  // no longer the plain synthesis's parts
  return true;
}

}  // namespace

std::vector<OptionSpec> PartOptionSpecs() {
  return {
      {"round", "SERIES",
       "round every resistor and capacitor to the nearest value of a standard series (e192, "
       "e96, e48, e24, e12 or e6); the design becomes manual",
       kRoundingSeries},
      {"round-resistors", "SERIES",
       "round the resistors only (with --round-capacitors each kind to its own series)",
       kRoundingSeries},
      {"round-capacitors", "SERIES", "round the capacitors only", kRoundingSeries},
      {"standard-caps",
       "SERIES",
       "design with capacitors of a standard series (e6, e12 or e24) and resistors computed "
       "for them, so that each stage realises its poles exactly",
       {"e6", "e12", "e24"}},
      {"bom",
       "FILE",
       "write the parts list as a CSV file: designator, value, value in SI units, series, "
       "stage and role of every part",
       {}},
  };
}

int ApplyPartOptions(const CliArguments& args, DesignRecord& record, std::ostream& err,
                     Dialogs& dialogs) {
  const PartSeries rounding = RoundingOptions(args);
  const StandardSeries* caps = SeriesOption(args, "standard-caps");
  if (caps != nullptr && record.Family == kManual) {
    err << "kestrolab-cli: --standard-caps designs a family's filter; a manual design keeps its "
           "parts\n";
    return kExitUsage;
  }
  if (caps != nullptr && !UseStandardCaps(record, *caps, rounding.resistors, dialogs))
    return kExitStopped;
  if (rounding.resistors != nullptr || rounding.capacitors != nullptr)
    RoundParts(record, rounding);
  if (caps != nullptr || rounding.resistors != nullptr || rounding.capacitors != nullptr)
    Analyze(record);
  return kExitOk;
}

bool WritePartsListOption(const CliArguments& args, const DesignRecord& record, Dialogs& dialogs) {
  const auto name = args.Value("bom");
  return !name || PassedOrShown(WritePartsList(record, *name), dialogs);
}

}  // namespace kestro::cli
