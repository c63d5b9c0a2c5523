#include "cli/long_run_report.h"

#include <algorithm>
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

// The lowest and highest gain and delay seen at each point.
struct Envelope {
  explicit Envelope(int points)
      : gainMin(static_cast<std::size_t>(points), 1e9f),
        gainMax(static_cast<std::size_t>(points), -1e9f),
        delayMin(static_cast<std::size_t>(points), 1e10f),
        delayMax(static_cast<std::size_t>(points), -1e10f) {}

  void Widen(const DesignRecord& record) {
    for (std::size_t i = 0; i < gainMin.size(); ++i) {
      gainMin[i] = std::min(gainMin[i], record.Gain[i]);
      gainMax[i] = std::max(gainMax[i], record.Gain[i]);
      delayMin[i] = std::min(delayMin[i], record.Delay[i]);
      delayMax[i] = std::max(delayMax[i], record.Delay[i]);
    }
  }

  std::vector<float> gainMin, gainMax, delayMin, delayMax;
};

void WriteEnvelope(const DesignRecord& record, const Envelope& envelope, std::ostream& out) {
  out << "# frequency_Hz\tgain_min_dB\tgain_max_dB\tdelay_min_s\tdelay_max_s\n";
  for (std::size_t i = 0; i < envelope.gainMin.size(); ++i) {
    out << ExactText(record.Freq[i]) << '\t' << ExactText(envelope.gainMin[i]) << '\t'
        << ExactText(envelope.gainMax[i]) << '\t' << ExactText(envelope.delayMin[i]) << '\t'
        << ExactText(envelope.delayMax[i]) << '\n';
  }
}

}  // namespace

void RunOptimizerReport(DesignRecord& record, Random& random, std::ostream& out) {
  OptimizerRun run(record, random);
  run.Start();
  out << "optimizer: limit error at the start " << ExactText(run.BestError()) << '\n';
  for (float best = run.BestError();;) {
    const float error = run.Trial();
    if (run.BestError() < best) {
      best = run.BestError();
      out << "trial " << run.TrialCount() << ": error " << ExactText(best) << '\n';
    }
    if (run.Finished(error))
      break;
  }
  run.Finish();
  out << "optimized parts after " << run.TrialCount() << " trials:\n";
  WriteParts(record, out);
  out << "limit error: " << ExactText(ComputeLimitError(record)) << '\n';
}

void RunMonteCarloReport(DesignRecord& record, const LongRunSettings& settings, Random& random,
                         std::ostream& out) {
  const int passes = settings.passes;
  Analyze(record);
  const int points = AnalysisIntervals(record) + 1;
  const bool limits = LimitCount(record, kGainLimitSet) > 0;
  Envelope envelope(points);
  int inside = 0;
  SaveNominalParts(record);
  for (int pass = 0; pass < passes; ++pass) {
    DrawTolerancedParts(record, settings.tolerance, random);
    envelope.Widen(record);
    inside += limits && ComputeLimitError(record) == 0.0f ? 1 : 0;
  }
  RestoreNominalParts(record);
  Analyze(record);
  envelope.Widen(record);
  WriteEnvelope(record, envelope, out);
  if (limits)
    out << "yield: " << inside << " / " << passes << " passes inside all gain limits\n";
}

}  // namespace kestro::cli
