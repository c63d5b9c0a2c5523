// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "cli/stderr_dialogs.h"

namespace kestro::cli {

using Strings = std::vector<std::string>;

// What a script sees of one run of kestrolab-cli: the exit code, stdout (whole and as lines)
// and stderr.
struct CliRun {
  int code = -1;
  std::string out, err;
  Strings lines;
};

// The arguments are one text with blanks between them.
inline CliRun RunCli(const std::string& arguments) {
  Strings args;
  std::istringstream words(arguments);
  for (std::string word; words >> word;)
    args.push_back(word);
  std::ostringstream out, err;
  StderrDialogs dialogs(err, false);
  CliRun run;
  run.code = RunCommandLine(args, out, err, dialogs);
  run.out = out.str();
  run.err = err.str();
  std::istringstream stream(run.out);
  for (std::string line; std::getline(stream, line);)
    run.lines.push_back(line);
  return run;
}

inline CliRun RunDesignCommand(const std::string& options) {
  return RunCli("design " + options);
}

// The rows of numbers after the first line of out that starts with header.
inline std::vector<std::vector<double>> Table(const std::string& out, const std::string& header) {
  std::istringstream lines(out.substr(out.find('\n', out.find(header)) + 1));
  std::vector<std::vector<double>> rows;
  for (std::string line; std::getline(lines, line) && !line.empty() && std::isdigit(line[0]);) {
    std::istringstream fields(line);
    rows.emplace_back();
    for (double value = 0; fields >> value;)
      rows.back().push_back(value);
  }
  return rows;
}

}  // namespace kestro::cli
