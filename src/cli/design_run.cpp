#include "cli/design_run.h"

#include <string>

#include "cli/design_inputs.h"
#include "cli/design_report.h"
#include "cli/exit_codes.h"
#include "cli/file_options.h"
#include "core/design_record.h"
#include "core/eng_value.h"
#include "synthesis/design_command.h"

namespace kestro::cli {

namespace {

constexpr int16_t kMinOrder = 2;

int16_t FamilyCode(const std::string& name) {
  if (name == "chebyshev")
    return kChebyshev;
  if (name == "bessel")
    return kBessel;
  if (name == "manual")
    return kManual;
  return kButterworth;
}

// Checks the window's controls make impossible. An empty string when the inputs can be used.
std::string UsageProblem(const CliArguments& args, const DesignInputs& inputs) {
  if (inputs.order < kMinOrder) {
    return "--order must be a number from 2 to 11, not '" + args.Value("order").value_or("") + "'";
  }
  float bandwidth = 0.0f;
  ReadEngValue(inputs.width, bandwidth);
  if (!(bandwidth > 0.0f)) {
    return "--bandwidth must be a frequency above 0 Hz, not '" + inputs.width + "'";
  }
  return {};
}

// The options over the fields of a freshly opened design page.
DesignInputs InputsFromOptions(const CliArguments& args, DesignRecord& record) {
  DesignInputs inputs = DesignInputs::FromRecord(record);
  if (const auto family = args.Value("family"))
    inputs.family = FamilyCode(*family);
  // Choosing a family makes the parts the design's own; manual keeps the user's parts.
  record.PartsModified = inputs.family == kManual ? 1 : 0;
  if (const auto order = args.Value("order"))
    ReadEngValue(*order, inputs.order);
  if (const auto width = args.Value("bandwidth"))
    inputs.width = *width;
  if (const auto ripple = args.Value("ripple"))
    inputs.apass = *ripple;
  if (const auto start = args.Value("start"))
    inputs.start = *start;
  if (const auto stop = args.Value("stop"))
    inputs.stop = *stop;
  if (const auto intervals = args.Value("intervals"))
    inputs.intervals = *intervals;
  return inputs;
}

}  // namespace

int RunDesign(const CliArguments& args, std::ostream& out, std::ostream& err, Dialogs& dialogs) {
  DesignRecord record{};
  record.SetOpeningDefaults();
  if (!OpenSessionOption(args, record, dialogs))
    return kExitFile;
  DesignInputs inputs = InputsFromOptions(args, record);
  if (const std::string problem = UsageProblem(args, inputs); !problem.empty()) {
    err << "kestrolab-cli: " << problem << '\n';
    return kExitUsage;
  }
  if (!ApplyDesignInputs(inputs, record, dialogs))
    return kExitStopped;
  FinishDesignCommand(record, dialogs);
  WriteDesignReport(record, ReportOptions{args.Flag("response")}, out);
  return WriteFileOptions(args, record, out, dialogs) ? kExitOk : kExitFile;
}

}  // namespace kestro::cli
