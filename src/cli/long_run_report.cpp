// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/long_run_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "analysis/limit_error.h"
#include "analysis/response_engine.h"
#include "cli/design_report.h"
#include "core/exact_text.h"
#include "core/gain_limits.h"
#include "usecase/monte_carlo_parts.h"
#include "usecase/optimizer_run.h"

namespace kestro::cli {
namespace {

// Starts the envelope at the analysed frequencies, empty (min above max).
void StartEnvelope(const DesignRecord& record, int points, MonteCarloResult& result) {
  const auto size = static_cast<std::size_t>(points);
  result.freq.assign(record.Freq.begin(), record.Freq.begin() + points);
  result.gainMin.assign(size, 1e9f);
  result.gainMax.assign(size, -1e9f);
  result.delayMin.assign(size, 1e10f);
  result.delayMax.assign(size, -1e10f);
}

void Widen(const DesignRecord& record, MonteCarloResult& result) {
  for (std::size_t i = 0; i < result.freq.size(); ++i) {
    result.gainMin[i] = std::min(result.gainMin[i], record.Gain[i]);
    result.gainMax[i] = std::max(result.gainMax[i], record.Gain[i]);
    result.delayMin[i] = std::min(result.delayMin[i], record.Delay[i]);
    result.delayMax[i] = std::max(result.delayMax[i], record.Delay[i]);
  }
}

}  // namespace

OptimizerResult RunOptimizer(DesignRecord& record, Random& random) {
  OptimizerRun run(record, random);
  run.Start();
  OptimizerResult result;
  result.startError = run.BestError();
  for (float best = run.BestError();;) {
    const float error = run.Trial();
    if (run.BestError() < best) {
      best = run.BestError();
      result.improvements.emplace_back(run.TrialCount(), best);
    }
    if (run.Finished(error))
      break;
  }
  run.Finish();
  result.trials = run.TrialCount();
  result.finalError = ComputeLimitError(record);
  return result;
}

MonteCarloResult RunMonteCarlo(DesignRecord& record, const LongRunSettings& settings,
                               Random& random) {
  MonteCarloResult result;
  result.passes = settings.passes;
  result.tolerance = settings.tolerance;
  Analyze(record);
  StartEnvelope(record, AnalysisIntervals(record) + 1, result);
  const bool limits = LimitCount(record, kGainLimitSet) > 0;
  int inside = 0;
  SaveNominalParts(record);
  for (int pass = 0; pass < settings.passes; ++pass) {
    DrawTolerancedParts(record, settings.tolerance, random);
    Widen(record, result);
    inside += limits && ComputeLimitError(record) == 0.0f ? 1 : 0;
  }
  RestoreNominalParts(record);
  Analyze(record);
  Widen(record, result);
  if (limits)
    result.inside = inside;
  return result;
}

void WriteOptimizerReport(const DesignRecord& record, const OptimizerResult& result,
                          std::ostream& out) {
  out << "optimizer: limit error at the start " << ExactText(result.startError) << '\n';
  for (const auto& [trial, error] : result.improvements)
    out << "trial " << trial << ": error " << ExactText(error) << '\n';
  out << "optimized parts after " << result.trials << " trials:\n";
  WriteParts(record, out);
  out << "limit error: " << ExactText(result.finalError) << '\n';
}

void WriteMonteCarloReport(const MonteCarloResult& result, std::ostream& out) {
  out << "# frequency_Hz\tgain_min_dB\tgain_max_dB\tdelay_min_s\tdelay_max_s\n";
  for (std::size_t i = 0; i < result.freq.size(); ++i) {
    out << ExactText(result.freq[i]) << '\t' << ExactText(result.gainMin[i]) << '\t'
        << ExactText(result.gainMax[i]) << '\t' << ExactText(result.delayMin[i]) << '\t'
        << ExactText(result.delayMax[i]) << '\n';
  }
  if (result.inside)
    out << "yield: " << *result.inside << " / " << result.passes
        << " passes inside all gain limits\n";
}

void RunOptimizerReport(DesignRecord& record, Random& random, std::ostream& out) {
  WriteOptimizerReport(record, RunOptimizer(record, random), out);
}

void RunMonteCarloReport(DesignRecord& record, const LongRunSettings& settings, Random& random,
                         std::ostream& out) {
  WriteMonteCarloReport(RunMonteCarlo(record, settings, random), out);
}

}  // namespace kestro::cli
