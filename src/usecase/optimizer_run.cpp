// SPDX-License-Identifier: GPL-3.0-or-later
#include "usecase/optimizer_run.h"

#include "analysis/limit_error.h"
#include "analysis/response_engine.h"

namespace kestro {
namespace {

constexpr float kAbsentCapacitor = 1e-12f;  // F; at or below: the open C1 of a two-pole stage
constexpr double kSpread = 0.05;            // full relative width: +-2.5 %
constexpr float kShownFloor = 0.01f;        // dB; smaller errors show as kShownMinimum
constexpr float kShownMinimum = 0.0101f;
constexpr float kGoodEnough = 0.0102f;  // dB; an error below it ends the run

}  // namespace

OptimizerRun::OptimizerRun(DesignRecord& record, Random& random)
    : record_(record), random_(random) {}

void OptimizerRun::KeepAsBest() {
  for (int s = 1; s <= StageCount(record_); ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k)
      record_.Csaved[stage][k] = record_.C[stage][k];
  }
}

void OptimizerRun::Start() {
  KeepAsBest();
  Analyze(record_);
  bestError_ = ComputeLimitError(record_);
  trialCount_ = 0;
}

float OptimizerRun::Trial() {
  ++trialCount_;
  for (int s = 1; s <= StageCount(record_); ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k) {
      if (record_.C[stage][k] > kAbsentCapacitor) {
        const double r = random_.Next();
        record_.C[stage][k] =
            static_cast<float>(record_.Csaved[stage][k] * (1 + kSpread * (r - 0.5)));
      }
    }
  }
  Analyze(record_);
  const float error = ComputeLimitError(record_);
  if (error < bestError_) {
    bestError_ = error;
    KeepAsBest();
  }
  return error < kShownFloor ? kShownMinimum : error;
}

bool OptimizerRun::Finished(float error) const {
  return trialCount_ >= kMaxTrials || error < kGoodEnough;
}

void OptimizerRun::Finish() {
  for (int s = 1; s <= StageCount(record_); ++s) {
    const auto stage = static_cast<std::size_t>(s);
    for (std::size_t k = 1; k <= 3; ++k)
      record_.C[stage][k] = record_.Csaved[stage][k];
  }
  record_.PartsModified = 1;
  record_.Family = kManual;
  Analyze(record_);
}

}  // namespace kestro
