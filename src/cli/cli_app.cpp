#include "cli/cli_app.h"

#include <functional>
#include <map>

#include "cli/cli_options.h"
#include "cli/design_run.h"
#include "cli/exit_codes.h"

namespace kestro::cli {

namespace {

// The command handlers, by the command names of the option table.
const std::map<std::string, CommandHandler>& Handlers() {
  static const std::map<std::string, CommandHandler> handlers{{"design", RunDesign}};
  return handlers;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   Dialogs& dialogs, const std::map<std::string, CommandHandler>& extraCommands) {
  const CliOptions options;
  const CliArguments parsed = options.Parse(args);
  if (!parsed.ok()) {
    err << "kestrolab-cli: " << parsed.error << "\nTry 'kestrolab-cli --help'.\n";
    return kExitUsage;
  }
  if (parsed.helpRequested) {
    out << options.HelpText();
    return kExitOk;
  }
  for (const std::string& notice : options.NumberNotices(parsed))
    err << "kestrolab-cli: " << notice << '\n';
  for (const auto* handlers : {&Handlers(), &extraCommands}) {
    const auto handler = handlers->find(parsed.command);
    if (handler != handlers->end())
      return handler->second(parsed, out, err, dialogs);
  }
  err << "kestrolab-cli: command '" << parsed.command << "' is not available\n";
  return kExitUsage;
}

}  // namespace kestro::cli
