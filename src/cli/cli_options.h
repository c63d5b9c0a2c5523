// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_arguments.h"

namespace kestro::cli {

// One option of a command. An empty valueName makes the option a flag.
struct OptionSpec {
  std::string name;       // without the leading "--"
  std::string valueName;  // shown in the help: --order N
  std::string help;
  std::vector<std::string> choices;  // allowed values (compared without case), empty for any
  bool engineering = false;          // the value is read as an engineering number (4.7k)
};

struct CommandSpec {
  std::string name;
  std::string summary;
  std::vector<OptionSpec> options;
  std::optional<OptionSpec> operand;  // a value given without an option name: print KIND
};

struct ExitCodeRow {
  int code;
  std::string meaning;
};

// The exit codes of kestrolab-cli, as --help and the manual page list them.
const std::vector<ExitCodeRow>& ExitCodeTable();
// How numbers on the command line are read, in lines of at most 90 columns.
std::string_view NumberSyntaxText();

// The notice for a number whose digits after the prefix letter are dropped:
// "--bandwidth 4k7 reads as 4k: '7' after the prefix letter was ignored". Empty when nothing
// is dropped.
std::string PrefixNotice(std::string_view label, std::string_view text);

// The table of commands and options of kestrolab-cli, and the parser that checks a command line
// against it. A new option is one more row of the table; its command reads it from CliArguments.
class CliOptions {
 public:
  CliOptions();

  // Parses the arguments after the program name. Option values may follow as the next argument
  // ("--order 5", also "--stop -5") or after "=" ("--order=5").
  CliArguments Parse(const std::vector<std::string>& args) const;
  std::string HelpText() const;
  // The help of one command: its usage line, its options, the number syntax when it reads
  // numbers, and the exit codes.
  static std::string CommandHelpText(const CommandSpec& command);
  // A PrefixNotice for every engineering-number option value of the parsed command.
  std::vector<std::string> NumberNotices(const CliArguments& args) const;

  const CommandSpec* FindCommand(std::string_view name) const;
  const std::vector<CommandSpec>& Commands() const { return commands_; }

 private:
  static const OptionSpec* FindOption(const CommandSpec& command, std::string_view name);
  static std::string CheckChoice(const OptionSpec& option, std::string& value);
  // Reads the option at args[index]; advances index past a separate value.
  static std::string ParseOption(const CommandSpec& command, const std::vector<std::string>& args,
                                 std::size_t& index, CliArguments& result);

  std::vector<CommandSpec> commands_;
};

}  // namespace kestro::cli
