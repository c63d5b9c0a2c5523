// SPDX-License-Identifier: GPL-3.0-or-later
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

std::string HelpFor(const CliOptions& options, const std::string& command) {
  const CommandSpec* found = options.FindCommand(command);
  return found == nullptr ? options.HelpText() : CliOptions::CommandHelpText(*found);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   Dialogs& dialogs, const std::map<std::string, CommandHandler>& extraCommands) {
  if (args.size() == 1 && args.front() == "--version") {
    out << "kestrolab-cli " << KESTRO_VERSION << '\n';
    return kExitOk;
  }
  const CliOptions options;
  const CliArguments parsed = options.Parse(args);
  if (!parsed.ok()) {
    err << "kestrolab-cli: " << parsed.error << "\nTry 'kestrolab-cli --help'.\n";
    return kExitUsage;
  }
  if (parsed.helpRequested) {
    out << HelpFor(options, parsed.command);
    return kExitOk;
  }
  const std::vector<std::string> notices = options.NumberNotices(parsed);
  for (const std::string& notice : notices)
    err << "kestrolab-cli: " << notice << '\n';
  // Under --strict a number read only in part is refused, as any other repair.
  if (parsed.Flag("strict") && !notices.empty())
    return kExitUsage;
  for (const auto* handlers : {&Handlers(), &extraCommands}) {
    const auto handler = handlers->find(parsed.command);
    if (handler != handlers->end())
      return handler->second(parsed, out, err, dialogs);
  }
  err << "kestrolab-cli: command '" << parsed.command << "' is not available\n";
  return kExitUsage;
}

}  // namespace kestro::cli
