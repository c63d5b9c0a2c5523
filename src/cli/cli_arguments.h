// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestro::cli {

// A parsed command line: the command, its option values and flags, or what was wrong with it.
struct CliArguments {
  std::string command;
  std::map<std::string, std::string> values;  // option name without "--" -> value text
  std::map<std::string, std::vector<std::string>> allValues;  // every value, for repeated options
  std::set<std::string> flags;                                // options given without a value
  bool helpRequested = false;
  std::string error;  // empty when the command line could be used

  bool ok() const { return error.empty(); }
  std::optional<std::string> Value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end())
      return std::nullopt;
    return found->second;
  }
  bool Flag(const std::string& name) const { return flags.count(name) > 0; }
  // The values of an option that may be given more than once, in command-line order.
  std::vector<std::string> AllValues(const std::string& name) const {
    const auto found = allValues.find(name);
    return found == allValues.end() ? std::vector<std::string>{} : found->second;
  }
};

}  // namespace kestro::cli
