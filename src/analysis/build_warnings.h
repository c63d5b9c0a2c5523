// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "analysis/stage_figures.h"
#include "core/design_record.h"

namespace kestro {

// Parts and stages that cannot be built as drawn, each with its reason.
enum class BuildWarningKind { SmallCapacitor, SmallResistor, LargeResistor, HighQ, HighGbw };

struct BuildWarning {
  int stage = 0;
  BuildWarningKind kind = BuildWarningKind::SmallCapacitor;
  std::string text;  // one line, e.g. "Stage 2: C3 = 18pF is below 22pF (...)"
};

// The limits the warnings are given at.
constexpr float kSmallestBuildableCapacitor = 22e-12f;  // F
constexpr float kSmallestBuildableResistor = 100.0f;    // ohms
constexpr float kLargestBuildableResistor = 10e6f;      // ohms
constexpr double kLargestBuildableQ = 20.0;
constexpr double kLargestBuildableGbw = 100e6;  // Hz

// The warnings of every stage in stage order: its parts (R1 and C1 only in a three-pole stage),
// then its Q and its needed GBW from the figures (one entry per stage, as ComputeStageFigures
// gives them). Texts use "." as decimal separator whatever the locale.
std::vector<BuildWarning> BuildWarnings(const DesignRecord& record,
                                        const std::vector<StageFigures>& figures);

}  // namespace kestro
