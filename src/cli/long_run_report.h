// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <utility>
#include <vector>

#include "cli/long_run_settings.h"
#include "core/design_record.h"
#include "platform/event_pump.h"

namespace kestro::cli {

// What the optimizer did: the limit error at the start, each improvement as (trial, error), the
// trials run and the limit error of the final parts.
struct OptimizerResult {
  float startError = 0;
  std::vector<std::pair<int, float>> improvements;
  int trials = 0;
  float finalError = 0;
};

// The lowest and highest gain (dB) and delay (s) seen at each analysed frequency over the
// passes and the nominal response; the passes inside all gain limits when there are limits.
struct MonteCarloResult {
  int passes = 0;
  float tolerance = 0;  // the full relative width of the spread
  std::vector<float> freq, gainMin, gainMax, delayMin, delayMax;
  std::optional<int> inside;
};

// The optimizer on the record's gain limits, as the plot page runs it. The design becomes
// manual, so --save keeps the fitted parts.
OptimizerResult RunOptimizer(DesignRecord& record, Random& random);
// settings.passes toleranced analyses of the record (every part spread by settings.tolerance / 2
// each way), the nominal response included as the plot page draws it over the passes. The
// record holds its nominal parts and response afterwards.
MonteCarloResult RunMonteCarlo(DesignRecord& record, const LongRunSettings& settings,
                               Random& random);

// The optimizer's report:
//   optimizer: limit error at the start 37.25
//   trial 12: error 3.5   (one line per improvement)
//   optimized parts after 340 trials:
//   Stage 1: ...          (the final parts)
//   limit error: 0
void WriteOptimizerReport(const DesignRecord& record, const OptimizerResult& result,
                          std::ostream& out);
// The envelope, one point a line: frequency (Hz), gain min and max (dB), delay min and max (s);
// with gain limits the yield follows: "yield: 874 / 1000 passes inside all gain limits".
void WriteMonteCarloReport(const MonteCarloResult& result, std::ostream& out);

// Run and report in one, for the text output.
void RunOptimizerReport(DesignRecord& record, Random& random, std::ostream& out);
void RunMonteCarloReport(DesignRecord& record, const LongRunSettings& settings, Random& random,
                         std::ostream& out);

}  // namespace kestro::cli
