// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <utility>

#include "cli/file_options.h"
#include "cli/fit_report.h"
#include "cli/limit_options.h"
#include "cli/long_run_settings.h"
#include "cli/opamp_options.h"
#include "cli/part_options.h"
#include "core/eng_reader.h"

namespace kestro::cli {

namespace {

constexpr char kNumberSyntax[] =
    "Numbers are read like the program's entry fields: a decimal number with an optional\n"
    "point or comma and exponent (1.5E-3, 2,2), then at most one prefix letter:\n"
    "p (1e-12), n (1e-9), u (1e-6), m (1e-3), k or K (1e3), M (1e6), G (1e9).\n"
    "Lower-case m is milli, upper-case M is mega. The prefix ends the number (4k7 reads as\n"
    "4000, with a notice on standard error), unit letters and blanks are ignored (100Hz reads\n"
    "as 100), only the first 12 characters count, and values are limited to -1e10..1e10.\n"
    "Text without a number reads as 0. Out-of-range values are repaired with a message, as in\n"
    "the design page.\n";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '\'');
  quoted.append(text);
  quoted += '\'';
  return quoted;
}

CommandSpec DesignCommand() {
  return {
      "design",
      "design a Sallen-Key lowpass filter, print its poles and parts, optionally its response",
      {{"family",
        "NAME",
        "filter family: butterworth (3 dB bandwidth), chebyshev (ripple bandwidth), bessel "
        "(one rad/sec bandwidth) or manual (keep the parts read with --open); default "
        "butterworth, or the family of the --open file",
        {"butterworth", "chebyshev", "bessel", "manual"}},
       {"order", "N", "filter order, 2 to 11 (Bessel at most 10); default 3", {}, true},
       {"bandwidth", "F", "design bandwidth in Hz, above 0 and at most 10M; default 3k", {}, true},
       {"ripple", "DB", "Chebyshev passband ripple in dB, .001 to 20; default 1", {}, true},
       {"start", "F", "lowest analysis frequency in Hz, at least .1; default 1k", {}, true},
       {"stop",
        "F",
        "highest analysis frequency in Hz, above the start, at most 10M; "
        "default 10k",
        {},
        true},
       {"intervals", "N", "number of analysis intervals, 10 to 2048; default 512", {}, true},
       {"response",
        "",
        "also print the analysed response: frequency (Hz), gain (dB), phase (degrees) and "
        "group delay (s), one point a line",
        {}},
       {"format",
        "FORMAT",
        "what standard output holds: text (the report, default), json (one JSON object with the "
        "design, poles, stages, limits, response, long runs and messages) or csv (the response, "
        "or the Monte Carlo envelope, with one header line)",
        {"text", "json", "csv"}},
       {"strict",
        "",
        "refuse any repair of a value (a range limit, unreadable text, digits after a prefix "
        "letter): its message, then exit 2 with nothing written",
        {}}},
      std::nullopt};
}

CommandSpec PrintCommand() {
  return {
      "print",
      "print KIND: the summary, table, schematic, plot, poles or waves sheet of a session "
      "file into a PDF file, or one of the last four as an SVG or PNG picture",
      {{"open", "FILE", "the session file (.KST) to print; - reads it from standard input", {}},
       {"pdf", "FILE", "the PDF file to write; - writes it to standard output", {}},
       {"svg",
        "FILE",
        "draw the sheet as an SVG picture instead, cut to the drawing (plot, schematic, "
        "poles or waves); - writes it to standard output",
        {}},
       {"png",
        "FILE",
        "draw the sheet as a PNG picture instead, as --svg; by default 192 pixels per inch "
        "of the sheet",
        {}},
       {"width",
        "N",
        "--png: the picture's width in pixels, 16 to 8000; with --height too the drawing is "
        "scaled to fit and centred, alone the height follows",
        {}},
       {"height", "N", "--png: the picture's height in pixels, 16 to 8000", {}},
       {"phase", "", "plot: draw the phase curve and its labels", {}},
       {"delay", "", "plot: draw the delay curve, its labels and the delay markers", {}},
       {"grid", "", "poles: draw the rectangular grid too, as the pole page's Grid does", {}},
       {"transient", "FREQ", "waves: the square-wave frequency in Hz", {}, true}},
      OptionSpec{"kind", "KIND", "", {"summary", "table", "schematic", "plot", "poles", "waves"}}};
}

// "  --order N         text...", the text wrapped at 90 columns under its own column.
std::string OptionHelpLines(const std::string& head, const std::string& help) {
  constexpr std::size_t kTextColumn = 23;
  constexpr std::size_t kWidth = 90;
  std::string lines = "  " + head;
  lines.append(lines.size() < kTextColumn ? kTextColumn - lines.size() : 1, ' ');
  std::size_t column = lines.size();
  std::istringstream words(help);
  bool first = true;
  for (std::string word; words >> word; first = false) {
    if (!first && column + 1 + word.size() > kWidth) {
      lines += '\n';
      lines.append(kTextColumn, ' ');
      column = kTextColumn;
    } else if (!first) {
      lines += ' ';
      ++column;
    }
    lines += word;
    column += word.size();
  }
  return lines + '\n';
}

// The words of text in lines of at most 90 columns.
std::string Wrapped(const std::string& text) {
  constexpr std::size_t kWidth = 90;
  std::string lines;
  std::size_t column = 0;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    if (column > 0 && column + 1 + word.size() > kWidth) {
      lines += '\n';
      column = 0;
    } else if (column > 0) {
      lines += ' ';
      ++column;
    }
    lines += word;
    column += word.size();
  }
  return lines + '\n';
}

// "Options of design:" and a help row per option.
std::string OptionsHelp(const CommandSpec& command) {
  std::string text = "\nOptions of " + command.name + ":\n";
  for (const OptionSpec& option : command.options) {
    std::string head = "--" + option.name;
    if (!option.valueName.empty())
      head += " " + option.valueName;
    text += OptionHelpLines(head, option.help);
  }
  return text;
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h" || arg == "help";
}

}  // namespace

const std::vector<ExitCodeRow>& ExitCodeTable() {
  static const std::vector<ExitCodeRow> codes{
      {0, "done"},
      {1,
       "the command was stopped: the stopping frequency is not above the starting frequency, "
       "the starting frequency is not below 10M, the capacitors could not be computed "
       "(nothing is then printed or written), or --fit-limits found no order for the --family "
       "asked (only the fit table is printed)"},
      {2, "the command line could not be used, or --strict refused a repaired value"},
      {3, "a file could not be read or written (its message says which)"}};
  return codes;
}

std::string_view NumberSyntaxText() {
  return kNumberSyntax;
}

std::string PrefixNotice(std::string_view label, std::string_view text) {
  const std::string_view ignored = IgnoredAfterPrefix(text);
  if (ignored.empty())
    return {};
  // ignored lies inside text: what comes before it is what was read.
  std::string read(text.substr(0, static_cast<std::size_t>(ignored.data() - text.data())));
  read.erase(0, read.find_first_not_of(' '));
  read.erase(read.find_last_not_of(' ') + 1);
  return std::string(label) + " " + std::string(text) + " reads as " + read + ": '" +
         std::string(ignored) + "' after the prefix letter was ignored";
}

CliOptions::CliOptions() : commands_{DesignCommand(), PrintCommand()} {
  for (OptionSpec& option : FileOptionSpecs())
    commands_.front().options.push_back(option);
  for (OptionSpec& option : LimitOptionSpecs())
    commands_.front().options.push_back(option);
  for (OptionSpec& option : LongRunOptionSpecs())
    commands_.front().options.push_back(option);
  for (auto* rows : {OpampOptionSpecs, PartOptionSpecs, FitOptionSpecs}) {
    for (OptionSpec& option : rows())
      commands_.front().options.push_back(option);
  }
}

const CommandSpec* CliOptions::FindCommand(std::string_view name) const {
  for (const CommandSpec& command : commands_) {
    if (command.name == name)
      return &command;
  }
  return nullptr;
}

const OptionSpec* CliOptions::FindOption(const CommandSpec& command, std::string_view name) {
  for (const OptionSpec& option : command.options) {
    if (option.name == name)
      return &option;
  }
  return nullptr;
}

std::string CliOptions::CheckChoice(const OptionSpec& option, std::string& value) {
  if (option.choices.empty())
    return {};
  const std::string lower = Lower(value);
  if (std::find(option.choices.begin(), option.choices.end(), lower) != option.choices.end()) {
    value = lower;
    return {};
  }
  std::string allowed;
  for (const std::string& choice : option.choices) {
    allowed += (allowed.empty() ? "" : ", ") + choice;
  }
  return "unknown " + option.name + " " + Quoted(value) + " (choose one of: " + allowed + ")";
}

std::string CliOptions::ParseOption(const CommandSpec& command,
                                    const std::vector<std::string>& args, std::size_t& index,
                                    CliArguments& result) {
  const std::string& arg = args[index];
  const std::size_t equals = arg.find('=');
  const std::string name =
      arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
  const OptionSpec* option = FindOption(command, name);
  if (option == nullptr) {
    return "unknown option " + Quoted("--" + name) + " for " + Quoted(command.name);
  }
  if (option->valueName.empty()) {
    if (equals != std::string::npos)
      return "option --" + name + " takes no value";
    result.flags.insert(name);
    return {};
  }
  std::string value;
  if (equals != std::string::npos) {
    value = arg.substr(equals + 1);
  } else if (index + 1 < args.size()) {
    value = args[++index];
  } else {
    return "option --" + name + " needs a value (" + option->valueName + ")";
  }
  if (value.empty())
    return "option --" + name + " has an empty value; it needs " + option->valueName;
  if (std::string error = CheckChoice(*option, value); !error.empty())
    return error;
  result.allValues[name].push_back(value);
  result.values[name] = value;
  return {};
}

CliArguments CliOptions::Parse(const std::vector<std::string>& args) const {
  CliArguments result;
  if (args.empty()) {
    result.error = "no command given";
    return result;
  }
  if (IsHelp(args.front())) {
    result.helpRequested = true;
    return result;
  }
  const CommandSpec* command = FindCommand(args.front());
  if (command == nullptr) {
    result.error = "unknown command " + Quoted(args.front());
    return result;
  }
  result.command = command->name;
  for (std::size_t i = 1; i < args.size() && result.ok(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.helpRequested = true;
    } else if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      result.error = ParseOption(*command, args, i, result);
    } else if (command->operand && !result.values.count(command->operand->name)) {
      std::string value = arg;
      result.error = CheckChoice(*command->operand, value);
      result.values[command->operand->name] = value;
    } else {
      result.error = "unexpected argument " + Quoted(arg);
    }
  }
  return result;
}

std::string CliOptions::HelpText() const {
  std::ostringstream text;
  text << "Usage: kestrolab-cli COMMAND [OPTIONS]\n"
       << "Designs and analyses unity-gain Sallen-Key active lowpass filters.\n\nCommands:\n";
  for (const CommandSpec& command : commands_) {
    text << "  " << command.name << "  " << command.summary << "\n";
  }
  for (const CommandSpec& command : commands_)
    text << OptionsHelp(command);
  text << OptionHelpLines("--help", "show this text and exit")
       << OptionHelpLines("--version", "show the version and exit") << "\n"
       << kNumberSyntax << "\nExit codes:\n";
  for (const ExitCodeRow& exit : ExitCodeTable())
    text << OptionHelpLines(std::to_string(exit.code), exit.meaning);
  return text.str();
}

std::string CliOptions::CommandHelpText(const CommandSpec& command) {
  std::ostringstream text;
  std::string summary = command.summary + ".";
  summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
  text << "Usage: kestrolab-cli " << command.name
       << (command.operand ? " " + command.operand->valueName : std::string()) << " [OPTIONS]\n"
       << Wrapped(summary) << OptionsHelp(command)
       << OptionHelpLines("--help", "show this text and exit") << "\n";
  if (std::any_of(command.options.begin(), command.options.end(),
                  [](const OptionSpec& option) { return option.engineering; }))
    text << kNumberSyntax << '\n';
  text << "Exit codes:\n";
  for (const ExitCodeRow& exit : ExitCodeTable())
    text << OptionHelpLines(std::to_string(exit.code), exit.meaning);
  return text.str();
}

std::vector<std::string> CliOptions::NumberNotices(const CliArguments& args) const {
  std::vector<std::string> notices;
  const CommandSpec* command = FindCommand(args.command);
  if (command == nullptr)
    return notices;
  for (const OptionSpec& option : command->options) {
    if (!option.engineering)
      continue;
    for (const std::string& value : args.AllValues(option.name)) {
      if (std::string notice = PrefixNotice("--" + option.name, value); !notice.empty())
        notices.push_back(std::move(notice));
    }
  }
  return notices;
}

}  // namespace kestro::cli
