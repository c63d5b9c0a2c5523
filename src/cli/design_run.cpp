#include "cli/design_run.h"

#include <string>

#include "cli/design_report.h"
#include "cli/exit_codes.h"
#include "cli/file_options.h"
#include "core/design_record.h"
#include "synthesis/design_command.h"
#include "synthesis/design_fields.h"

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
  if (const auto order = args.Value("order"))
    fields.order = *order;
  if (const auto width = args.Value("bandwidth"))
    fields.width = *width;
  if (const auto ripple = args.Value("ripple"))
    fields.apass = *ripple;
  if (const auto start = args.Value("start"))
    fields.start = *start;
  if (const auto stop = args.Value("stop"))
    fields.stop = *stop;
  if (const auto intervals = args.Value("intervals"))
    fields.intervals = *intervals;
  return fields;
}

}  // namespace

// Every repair and stop has its message on dialogs; nothing here is a usage error.
int RunDesign(const CliArguments& args, std::ostream& out, std::ostream& /*err*/,
              Dialogs& dialogs) {
  DesignRecord record{};
  record.SetOpeningDefaults();
  if (!OpenSessionOption(args, record, dialogs))
    return kExitFile;
  DesignFields fields = FieldsFromOptions(args, record);
  if (!ReadDesignFields(fields, record, dialogs))
    return kExitStopped;
  FinishDesignCommand(record, dialogs);
  WriteDesignReport(record, ReportOptions{args.Flag("response")}, out);
  return WriteFileOptions(args, record, out, dialogs) ? kExitOk : kExitFile;
}

}  // namespace kestro::cli
