// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_arguments.h"
#include "cli/cli_options.h"

namespace kestro::cli {

// Where the files of one run go. "-" names standard output (standard input for --open): the
// writer writes it into a private folder like any file, and its bytes are sent on once every
// file of the run is in place. With --out-dir, the fixed-name files and every relative name go
// into that folder. The private folder is removed with the object.
class OutputPaths final {
 public:
  explicit OutputPaths(std::string outDir = {});
  ~OutputPaths();
  OutputPaths(const OutputPaths&) = delete;
  OutputPaths& operator=(const OutputPaths&) = delete;

  // The path to write for a file option's value.
  std::string Path(const std::string& name);
  // The folder to put before a fixed file name: "" or "DIR/".
  std::string Folder() const;
  // The arguments with the value of every output file option (a FILE value other than --open's)
  // replaced by its Path, so that each writer writes where this run puts its files.
  CliArguments Resolved(const CliArguments& args, const CommandSpec& command);
  // Sends the bytes written for "-" to out (nothing when no file went there). False when the
  // file written for it cannot be read back or out fails (a closed pipe).
  bool SendStandardOutput(std::ostream& out) const;
  // Copies in into a private file and returns its path, for --open -.
  std::string CopyOfStandardInput(std::istream& in);

 private:
  const std::filesystem::path& PrivateFolder();

  std::string outDir_;
  std::filesystem::path private_;
  std::optional<std::filesystem::path> standardOutput_;
};

// The output file options whose value is "-", as "--save -", for the one-user-of-standard-output
// rule.
std::vector<std::string> StandardOutputOptions(const CliArguments& args,
                                               const CommandSpec& command);

// The --out-dir check made before anything runs: empty when the folder can be used (or none is
// given), otherwise the message.
std::string OutDirProblem(const CliArguments& args);

}  // namespace kestro::cli
