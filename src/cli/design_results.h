// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/long_run_report.h"

namespace kestro::cli {

// What one design run produced besides the record: for the JSON and CSV documents.
struct DesignResults {
  int16_t family = 0;     // the family designed (the optimizer leaves the record manual)
  bool response = false;  // --response was given
  std::optional<OptimizerResult> optimizer;
  std::optional<MonteCarloResult> monteCarlo;
  std::vector<std::string> messages;  // every repair and notice, in the order given
};

}  // namespace kestro::cli
