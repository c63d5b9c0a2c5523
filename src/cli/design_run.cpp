#include "cli/design_run.h"

#include <string>
#include <utility>

#include "cli/design_report.h"
#include "cli/exit_codes.h"
#include "cli/file_options.h"
#include "cli/limit_options.h"
#include "cli/long_run_report.h"
#include "cli/long_run_settings.h"
#include "core/design_record.h"
#include "platform/uniform_random.h"
#include "usecase/design_command.h"
#include "usecase/design_fields.h"

namespace kestro::cli {

namespace {

int16_t FamilyCode(const std::string& name) {
  if (name == "chebyshev")
    return kChebyshev;
  if (name == "bessel")
    return kBessel;
  if (name == "manual")
    return kManual;
  return kButterworth;
}

// The options over the fields of a freshly opened design page.
DesignFields FieldsFromOptions(const CliArguments& args, DesignRecord& record) {
  DesignFields fields = DesignFields::FromRecord(record);
  if (const auto family = args.Value("family"))
    fields.family = FamilyCode(*family);
  // Choosing a family makes the parts the design's own; manual keeps the user's parts.
  record.PartsModified = fields.family == kManual ? 1 : 0;
  // The text options go into their fields as if typed there.
  const std::pair<const char*, std::string DesignFields::*> kTypedOptions[] = {
      {"order", &DesignFields::order},  {"bandwidth", &DesignFields::width},
      {"ripple", &DesignFields::apass}, {"start", &DesignFields::start},
      {"stop", &DesignFields::stop},    {"intervals", &DesignFields::intervals}};
  for (const auto& [option, field] : kTypedOptions) {
    if (const auto value = args.Value(option))
      fields.*field = *value;
  }
  return fields;
}

// The optimizer, then the Monte Carlo analysis, drawing from one generator.
void RunLongRuns(const LongRunSettings& settings, DesignRecord& record, std::ostream& out) {
  UniformRandom random = settings.seed ? UniformRandom(*settings.seed) : UniformRandom();
  if (settings.optimize)
    RunOptimizerReport(record, random, out);
  if (settings.tolerance > 0)
    RunMonteCarloReport(record, settings, random, out);
}

}  // namespace

// Every repair and stop has its message on dialogs; an unusable --limit, --passes or --seed
// is a usage error (on err, before anything runs).
int RunDesign(const CliArguments& args, std::ostream& out, std::ostream& err, Dialogs& dialogs) {
  const auto longRuns = ReadLongRunSettings(args, err);
  if (!longRuns)
    return kExitUsage;
  std::string limitError;
  const auto limits = ReadLimitOptions(args, dialogs, limitError);
  if (!limits) {
    err << "kestrolab-cli: " << limitError << '\n';
    return kExitUsage;
  }
  DesignRecord record{};
  record.SetOpeningDefaults();
  if (!OpenSessionOption(args, record, err))
    return kExitFile;
  DesignFields fields = FieldsFromOptions(args, record);
  if (!ReadDesignFields(fields, record, dialogs))
    return kExitStopped;
  // Unsolved capacitors are no design: nothing is printed or written from them.
  if (!FinishDesignCommand(record, dialogs))
    return kExitStopped;
  ApplyLimitOptions(args, *limits, record, dialogs);  // on the analysed sweep, as a click
  WriteDesignReport(record, ReportOptions{args.Flag("response")}, out);
  WriteLimitReport(record, out);
  RunLongRuns(*longRuns, record, out);
  return WriteFileOptions(args, record, out, dialogs) ? kExitOk : kExitFile;
}

}  // namespace kestro::cli
