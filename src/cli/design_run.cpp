// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_run.h"

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_options.h"
#include "cli/design_csv.h"
#include "cli/design_json.h"
#include "cli/design_report.h"
#include "cli/design_results.h"
#include "cli/exit_codes.h"
#include "cli/file_options.h"
#include "cli/fit_report.h"
#include "cli/limit_options.h"
#include "cli/long_run_report.h"
#include "cli/long_run_settings.h"
#include "cli/message_log.h"
#include "cli/opamp_options.h"
#include "cli/output_paths.h"
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

// The optimizer, then the Monte Carlo analysis, drawing from one generator; their reports go
// to report.
void RunLongRuns(const LongRunSettings& settings, DesignRecord& record, DesignResults& results,
                 std::ostream& report) {
  UniformRandom random = settings.seed ? UniformRandom(*settings.seed) : UniformRandom();
  if (settings.optimize) {
    results.optimizer = RunOptimizer(record, random);
    WriteOptimizerReport(record, *results.optimizer, report);
  }
  if (settings.tolerance > 0) {
    results.monteCarlo = RunMonteCarlo(record, settings, random);
    WriteMonteCarloReport(*results.monteCarlo, report);
  }
}

// Standard output takes one document: the report (or JSON, or CSV), or one file named "-".
// Empty when the options keep to that, otherwise the usage error.
std::string StandardOutputProblem(const CliArguments& args) {
  const CliOptions options;
  std::vector<std::string> users = StandardOutputOptions(args, *options.FindCommand("design"));
  const std::string format = args.Value("format").value_or("text");
  if (format != "text")
    users.push_back("--format " + format);
  else if (args.Flag("response"))
    users.push_back("the report of --response");
  else if (args.Value("monte-carlo"))
    users.push_back("the envelope of --monte-carlo");
  if (users.size() < 2)
    return {};
  return users[0] + " and " + users[1] + " cannot both go to standard output";
}

// What the run prints to standard output besides a file named "-": the document of --format.
void WriteDocument(const std::string& format, const DesignRecord& record,
                   const DesignResults& results, std::ostream& out) {
  if (format == "json")
    out << DesignJson(record, results).dump(2) << '\n';
  else if (format == "csv")
    WriteDesignCsv(record, results, out);
}

// The usage and folder checks made before anything runs: an exit code, or nullopt to go on.
std::optional<int> CheckRun(const CliArguments& args, std::ostream& err) {
  if (const std::string problem = StandardOutputProblem(args); !problem.empty()) {
    err << "kestrolab-cli: " << problem << "\nTry 'kestrolab-cli design --help'.\n";
    return kExitUsage;
  }
  if (const std::string problem = OutDirProblem(args); !problem.empty()) {
    err << "kestrolab-cli: " << problem << '\n';
    return kExitFile;
  }
  return std::nullopt;
}

// Designs the record from the options; an exit code when the run ends before its report.
std::optional<int> DesignFromOptions(const CliArguments& args, DesignRecord& record,
                                     OutputPaths& paths, MessageLog& messages, std::ostream& err) {
  std::string limitError;
  const auto limits = ReadLimitOptions(args, messages, limitError);
  if (!limits) {
    err << "kestrolab-cli: " << limitError << '\n';
    return kExitUsage;
  }
  record.SetOpeningDefaults();
  if (!OpenSessionOption(args, record, err, paths, &messages))
    return kExitFile;
  if (!ReadOpampOptions(args, record, err))
    return kExitUsage;
  DesignFields fields = FieldsFromOptions(args, record);
  if (!ReadDesignFields(fields, record, messages))
    return kExitStopped;
  // Unsolved capacitors are no design: nothing is printed or written from them.
  if (!FinishDesignCommand(record, messages))
    return kExitStopped;
  ApplyLimitOptions(args, *limits, record, messages);  // on the analysed sweep, as a click
  // Every message so far repaired a value.
  if (args.Flag("strict") && (!messages.Texts().empty() || SquareWaveRepaired(args, messages)))
    return kExitUsage;
  return std::nullopt;
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
  if (const auto code = CheckRun(args, err))
    return *code;
  const auto longRuns = ReadLongRunSettings(args, err);
  if (!longRuns)
    return kExitUsage;
  OutputPaths paths(args.Value("out-dir").value_or(""));
  MessageLog messages(dialogs);
  DesignRecord record{};
  if (const auto code = DesignFromOptions(args, record, paths, messages, err))
    return *code;
  const std::string format = args.Value("format").value_or("text");
  const bool textReport =
      format == "text" && StandardOutputOptions(args, *CliOptions().FindCommand("design")).empty();
  std::ostringstream unused;
  std::ostream& report = textReport ? out : unused;
  if (const int code = ShapeDesign(args, record, report, err, messages); code != kExitOk)
    return code;
  WriteReport(args, record, report);
  WriteLimitReport(record, report);
  DesignResults results;
  results.family = record.Family;
  results.response = args.Flag("response");
  RunLongRuns(*longRuns, record, results, report);
  const int code =
      WriteFileOptions(args, record, FileRun{report, out, messages, paths, args.Flag("strict")});
  if (code == kExitOk) {
    results.messages = CliOptions().NumberNotices(args);
    const auto& logged = messages.Texts();
    results.messages.insert(results.messages.end(), logged.begin(), logged.end());
    WriteDocument(format, record, results, out);
  }
  return code;
}

}  // namespace kestro::cli
