// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output_paths.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace kestro::cli {

namespace {

constexpr char kStandardStream[] = "-";

bool IsOutputFileOption(const OptionSpec& option) {
  return option.valueName == "FILE" && option.name != "open";
}

}  // namespace

OutputPaths::OutputPaths(std::string outDir) : outDir_(std::move(outDir)) {}

OutputPaths::~OutputPaths() {
  if (!private_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(private_, ignored);
  }
}

const std::filesystem::path& OutputPaths::PrivateFolder() {
  if (private_.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrolab-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
      private_ = pattern;
  }
  return private_;
}

std::string OutputPaths::Path(const std::string& name) {
  if (name == kStandardStream) {
    standardOutput_ = PrivateFolder() / "standard-output";
    return standardOutput_->string();
  }
  if (outDir_.empty() || std::filesystem::path(name).is_absolute())
    return name;
  return (std::filesystem::path(outDir_) / name).string();
}

std::string OutputPaths::Folder() const {
  return outDir_.empty() ? std::string() : (std::filesystem::path(outDir_) / "").string();
}

CliArguments OutputPaths::Resolved(const CliArguments& args, const CommandSpec& command) {
  CliArguments resolved = args;
  for (const OptionSpec& option : command.options) {
    if (!IsOutputFileOption(option))
      continue;
    if (const auto found = resolved.values.find(option.name); found != resolved.values.end())
      found->second = Path(found->second);
    for (std::string& value : resolved.allValues[option.name])
      value = Path(value);
  }
  return resolved;
}

bool OutputPaths::SendStandardOutput(std::ostream& out) const {
  if (!standardOutput_)
    return true;
  std::ifstream file(*standardOutput_, std::ios::binary);
  if (!file)
    return false;
  if (file.peek() != std::ifstream::traits_type::eof())
    out << file.rdbuf();
  out.flush();
  return out.good();
}

std::string OutputPaths::CopyOfStandardInput(std::istream& in) {
  const std::filesystem::path path = PrivateFolder() / "standard-input";
  std::ofstream file(path, std::ios::binary);
  file << in.rdbuf();
  return path.string();
}

std::vector<std::string> StandardOutputOptions(const CliArguments& args,
                                               const CommandSpec& command) {
  std::vector<std::string> users;
  for (const OptionSpec& option : command.options) {
    if (IsOutputFileOption(option) && args.Value(option.name) == kStandardStream)
      users.push_back("--" + option.name + " -");
  }
  return users;
}

std::string OutDirProblem(const CliArguments& args) {
  const auto dir = args.Value("out-dir");
  if (!dir)
    return {};
  std::error_code error;
  if (std::filesystem::is_directory(*dir, error))
    return {};
  return "cannot use --out-dir " + *dir + ": " +
         (std::filesystem::exists(*dir, error) ? "not a folder" : "no such folder");
}

}  // namespace kestro::cli
