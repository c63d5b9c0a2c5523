#include "cli/design_run.h"

#include <string>
#include <utility>

#include "cli/design_report.h"
#include "cli/exit_codes.h"
#include "cli/file_options.h"
#include "cli/fit_report.h"
#include "cli/limit_options.h"
#include "cli/long_run_report.h"
#include "cli/long_run_settings.h"
#include "cli/opamp_options.h"
#include "cli/part_options.h"
#include "cli/stage_report.h"
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

// The op-amp, fit and parts steps between the design and its report.
int ShapeDesign(const CliArguments& args, DesignRecord& record, std::ostream& out,
                std::ostream& err, Dialogs& dialogs) {
  if (const int code = RunFitLimits(args, record, out, err, dialogs); code != kExitOk)
    return code;
  return ApplyPartOptions(args, record, err, dialogs);
}

// The report: the design, its stages and sensitivities, then the response table.
void WriteReport(const CliArguments& args, const DesignRecord& record, std::ostream& out) {
  WriteDesignReport(record, ReportOptions{}, out);
  WriteStageReport(record, out);
  if (args.Flag("sensitivity"))
    WriteSensitivityReport(record, out);
  if (args.Flag("response"))
    WriteResponse(record, out);
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
  if (!ReadOpampOptions(args, record, err))
    return kExitUsage;
  DesignFields fields = FieldsFromOptions(args, record);
  if (!ReadDesignFields(fields, record, dialogs))
    return kExitStopped;
  // Unsolved capacitors are no design: nothing is printed or written from them.
  if (!FinishDesignCommand(record, dialogs))
    return kExitStopped;
  ApplyLimitOptions(args, *limits, record, dialogs);  // on the analysed sweep, as a click
  if (const int code = ShapeDesign(args, record, out, err, dialogs); code != kExitOk)
    return code;
  WriteReport(args, record, out);
  WriteLimitReport(record, out);
  RunLongRuns(*longRuns, record, out);
  return WriteFileOptions(args, record, out, dialogs) ? kExitOk : kExitFile;
}

}  // namespace kestro::cli
