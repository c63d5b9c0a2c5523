#include "cli/long_run_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "analysis/limit_error.h"
#include "analysis/response_engine.h"
#include "cli/design_report.h"
#include "core/gain_limits.h"
#include "usecase/monte_carlo_parts.h"
#include "usecase/optimizer_run.h"

namespace kestro::cli {
namespace {

// A single with the fewest digits that read back to it, "." whatever the locale.
std::string Exact(float value) {
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), written.ptr);
}

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
    out << Exact(record.Freq[i]) << '\t' << Exact(envelope.gainMin[i]) << '\t'
        << Exact(envelope.gainMax[i]) << '\t' << Exact(envelope.delayMin[i]) << '\t'
        << Exact(envelope.delayMax[i]) << '\n';
  }
}

}  // namespace

void RunOptimizerReport(DesignRecord& record, Random& random, std::ostream& out) {
  OptimizerRun run(record, random);
  run.Start();
  out << "optimizer: limit error at the start " << Exact(run.BestError()) << '\n';
  for (float best = run.BestError();;) {
    const float error = run.Trial();
    if (run.BestError() < best) {
      best = run.BestError();
      out << "trial " << run.TrialCount() << ": error " << Exact(best) << '\n';
    }
    if (run.Finished(error))
      break;
  }
  run.Finish();
  out << "optimized parts after " << run.TrialCount() << " trials:\n";
  WriteParts(record, out);
  out << "limit error: " << Exact(ComputeLimitError(record)) << '\n';
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
