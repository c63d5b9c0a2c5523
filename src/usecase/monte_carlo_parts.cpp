// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/monte_carlo_parts.h"

#include <algorithm>

#include "analysis/response_engine.h"

namespace kestro {
namespace {

// Stages 1..Order, kept inside the stage arrays.
int OrderStages(const DesignRecord& record) {
  return std::clamp<int>(record.Order, 0, kMaxStage);
}

float Toleranced(float nominal, float tolerance, Random& random) {
  const double r = random.Next();
  return static_cast<float>(nominal * (1.0 + (r - 0.5) * tolerance));
}

}  // namespace

void SaveNominalParts(DesignRecord& record) {
  for (int s = 1; s <= OrderStages(record); ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k) {
      record.Rsaved[stage][k] = record.R[stage][k];
      record.Csaved[stage][k] = record.C[stage][k];
    }
  }
}

void DrawTolerancedParts(DesignRecord& record, float tolerance, Random& random) {
  for (int s = 1; s <= OrderStages(record); ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k)
      record.R[stage][k] = Toleranced(record.Rsaved[stage][k], tolerance, random);
    for (std::size_t k = 1; k <= 3; ++k)
      record.C[stage][k] = Toleranced(record.Csaved[stage][k], tolerance, random);
  }
  Analyze(record);
}

void RestoreNominalParts(DesignRecord& record) {
  for (int s = 1; s <= OrderStages(record); ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k) {
      record.R[stage][k] = record.Rsaved[stage][k];
      record.C[stage][k] = record.Csaved[stage][k];
    }
  }
}

}  // namespace kestro
