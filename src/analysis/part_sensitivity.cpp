// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/part_sensitivity.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "analysis/response_engine.h"

namespace kestro {
namespace {

constexpr double kPartStep = 1.01;         // +1 %
constexpr float kLowestCountedGain = -40;  // dB

double LargestChange(const DesignRecord& nominal, const DesignRecord& changed, int n) {
  double largest = 0;
  for (int i = 0; i <= n; ++i) {
    if (nominal.Gain[i] > kLowestCountedGain) {
      largest = std::max(largest, std::abs(static_cast<double>(changed.Gain[i]) - nominal.Gain[i]));
    }
  }
  return largest;
}

// The parts of a stage that shape its response: R1 and C1 only with an R1.
std::vector<std::pair<char, int>> PresentParts(const DesignRecord& record, int stage) {
  std::vector<std::pair<char, int>> parts;
  const int first = record.R[stage][1] > 0.0f ? 1 : 2;
  for (const char kind : {'R', 'C'}) {
    for (int k = first; k <= 3; ++k) {
      parts.emplace_back(kind, k);
    }
  }
  return parts;
}

}  // namespace

std::vector<PartSensitivity> RankPartSensitivities(const DesignRecord& record) {
  std::vector<PartSensitivity> ranking;
  const int n = AnalysisIntervals(record);
  if (n == 0) {
    return ranking;
  }
  // Two records of ~160 kB each: kept off the stack.
  auto nominal = std::make_unique<DesignRecord>(record);
  auto changed = std::make_unique<DesignRecord>(record);
  Analyze(*nominal);
  for (int s = 1; s <= StageCount(record); ++s) {
    for (const auto& [kind, k] : PresentParts(record, s)) {
      *changed = record;
      float& value = kind == 'R' ? changed->R[s][k] : changed->C[s][k];
      value = static_cast<float>(value * kPartStep);
      Analyze(*changed);
      ranking.push_back(
          {s, std::string(1, kind) + std::to_string(k), LargestChange(*nominal, *changed, n)});
    }
  }
  std::stable_sort(ranking.begin(), ranking.end(),
                   [](const auto& a, const auto& b) { return a.maxChangeDb > b.maxChangeDb; });
  return ranking;
}

}  // namespace kestro
