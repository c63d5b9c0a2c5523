// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "analysis/build_warnings.h"
#include "analysis/limit_error.h"
#include "analysis/stage_figures.h"
#include "core/gain_limits.h"

namespace kestro::cli {

namespace {

using json = nlohmann::ordered_json;

// A single as the double of its shortest decimal form, so that 4.7e-9f is written 4.7e-09.
double Decimal(float value) {
  std::array<char, 32> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  double decimal = 0;
  std::from_chars(buffer.data(), written.ptr, decimal);
  return decimal;
}

const char* FamilyKey(int16_t family) {
  switch (family) {
    case kButterworth:
      return "butterworth";
    case kChebyshev:
      return "chebyshev";
    case kBessel:
      return "bessel";
    default:
      return "manual";
  }
}

const char* ShapeKey(float shape) {
  switch (static_cast<int>(shape)) {
    case kFloorFromDc:
      return "floor";
    case kCeilingUpward:
      return "ceiling-up";
    case kCeilingFromDc:
      return "ceiling-dc";
    default:
      return "other";
  }
}

json Design(const DesignRecord& record, int16_t family) {
  return {{"family", FamilyKey(family)},
          {"order", record.Order},
          {"bandwidth_hz", Decimal(record.Bandwidth)},
          {"ripple_db", family == kChebyshev ? json(Decimal(record.Apass)) : json()}};
}

void AddPair(float re, float im, json& poles) {
  poles.push_back({{"re", -Decimal(re)}, {"im", Decimal(std::abs(im))}});
  poles.push_back({{"re", -Decimal(re)}, {"im", -Decimal(std::abs(im))}});
}

// The normalised poles, each pair as both of its conjugates; none for a manual design.
json Poles(const DesignRecord& record, int16_t family) {
  json poles = json::array();
  if (family < kButterworth || family > kBessel)
    return poles;
  const auto order = static_cast<std::size_t>(std::clamp<int>(record.Order, 0, 2 * kMaxStage + 1));
  const std::size_t first = order % 2;  // the real pole's slot before the pairs
  if (first == 1)
    poles.push_back({{"re", -Decimal(record.PoleRe[1])}, {"im", 0.0}});
  for (std::size_t j = 1; j <= order / 2; ++j)
    AddPair(record.PoleRe[j + first], record.PoleIm[j], poles);
  return poles;
}

json Parts(const DesignRecord& record, int s) {
  const auto& r = record.R[static_cast<std::size_t>(s)];
  const auto& c = record.C[static_cast<std::size_t>(s)];
  return {{"R1_ohm", Decimal(r[1])}, {"R2_ohm", Decimal(r[2])}, {"R3_ohm", Decimal(r[3])},
          {"C1_f", Decimal(c[1])},   {"C2_f", Decimal(c[2])},   {"C3_f", Decimal(c[3])}};
}

json Stages(const DesignRecord& record) {
  const std::vector<StageFigures> figures = ComputeStageFigures(record);
  const std::vector<BuildWarning> warnings = BuildWarnings(record, figures);
  json stages = json::array();
  for (const StageFigures& stage : figures) {
    json texts = json::array();
    for (const BuildWarning& warning : warnings) {
      if (warning.stage == stage.stage)
        texts.push_back(warning.text);
    }
    stages.push_back({{"stage", stage.stage},
                      {"kind", stage.threePole ? "three-pole" : "two-pole"},
                      {"f0_hz", stage.f0Hz},
                      {"q", stage.q},
                      {"real_pole_hz", stage.threePole ? json(stage.realPoleHz) : json()},
                      {"parts", Parts(record, stage.stage)},
                      {"gbw_needed_hz", stage.neededGbwHz},
                      {"warnings", texts}});
  }
  return stages;
}

json Limits(const DesignRecord& record) {
  json limits = json::array();
  const int count = LimitCount(record, kGainLimitSet);
  for (int j = 1; j <= count; ++j) {
    if (!LimitIsListed(record, j))
      continue;
    const auto at = [j](const LimitTable& table) {
      return Decimal(table[static_cast<std::size_t>(j)][kGainLimitSet]);
    };
    limits.push_back({{"shape", ShapeKey(record.LimitShape[static_cast<std::size_t>(j)][1])},
                      {"start_hz", at(record.LimitStart)},
                      {"stop_hz", at(record.LimitStop)},
                      {"top_db", at(record.LimitTop)},
                      {"bottom_db", at(record.LimitBottom)}});
  }
  return limits;
}

json Response(const DesignRecord& record) {
  json points = json::array();
  const int last = std::clamp<int>(record.Nints, -1, kMaxNints);
  for (std::size_t i = 0; static_cast<int>(i) <= last; ++i) {
    points.push_back({{"f_hz", Decimal(record.Freq[i])},
                      {"gain_db", Decimal(record.Gain[i])},
                      {"phase_deg", Decimal(record.Phase[i])},
                      {"delay_s", Decimal(record.Delay[i])}});
  }
  return points;
}

json MonteCarlo(const MonteCarloResult& result) {
  json envelope = json::array();
  for (std::size_t i = 0; i < result.freq.size(); ++i) {
    envelope.push_back({{"f_hz", Decimal(result.freq[i])},
                        {"gain_min_db", Decimal(result.gainMin[i])},
                        {"gain_max_db", Decimal(result.gainMax[i])},
                        {"delay_min_s", Decimal(result.delayMin[i])},
                        {"delay_max_s", Decimal(result.delayMax[i])}});
  }
  return {{"passes", result.passes},
          {"tolerance_percent", Decimal(result.tolerance * 50.0f)},
          {"envelope", envelope},
          {"passes_inside_limits", result.inside ? json(*result.inside) : json()},
          {"yield",
           result.inside ? json(static_cast<double>(*result.inside) / result.passes) : json()}};
}

json Optimizer(const OptimizerResult& result) {
  json improvements = json::array();
  for (const auto& [trial, error] : result.improvements)
    improvements.push_back({{"trial", trial}, {"error", Decimal(error)}});
  return {{"start_error", Decimal(result.startError)},
          {"improvements", improvements},
          {"trials", result.trials},
          {"final_error", Decimal(result.finalError)}};
}

}  // namespace

json DesignJson(const DesignRecord& record, const DesignResults& results) {
  const bool limited = LimitCount(record, kGainLimitSet) > 0;
  return {{"version", KESTRO_VERSION},
          {"design", Design(record, results.family)},
          {"poles", Poles(record, results.family)},
          {"stages", Stages(record)},
          {"limits", Limits(record)},
          {"limit_error", limited ? json(Decimal(ComputeLimitError(record))) : json()},
          {"response", results.response ? Response(record) : json()},
          {"monte_carlo", results.monteCarlo ? MonteCarlo(*results.monteCarlo) : json()},
          {"optimizer", results.optimizer ? Optimizer(*results.optimizer) : json()},
          {"messages", results.messages}};
}

}  // namespace kestro::cli
