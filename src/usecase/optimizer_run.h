// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/design_record.h"
#include "platform/event_pump.h"

namespace kestro {

// The optimizer's random search for capacitors that bring the gain inside the gain limits
// (limit set 1), shared by the analysis page and the command line. Each trial perturbs every
// capacitor of the best design so far by a uniform factor within +-2.5 % and keeps the result
// only when its limit error is strictly smaller; resistors never change. Csaved holds the best
// capacitors during the run, C the trial's.
class OptimizerRun final {
 public:
  static constexpr int16_t kMaxTrials = 2000;

  OptimizerRun(DesignRecord& record, Random& random);

  // Csaved = C for stages 1..NrStages; Analyze; the best error is that of the starting design.
  void Start();
  // One trial: the next trial number, the perturbed capacitors (those at or below 1e-12, the
  // absent C1 of a two-pole stage, are left alone), Analyze, the limit error, and the best design
  // when it improved. Returns the trial's error as shown, an error below 0.01 taken as 0.0101.
  float Trial();
  // Whether the trial that returned `error` ends the run: the 2000th trial, or an error below
  // 0.0102 (every trial without a violation).
  bool Finished(float error) const;
  // C = Csaved, the best values; the design becomes hand-made (Family 4, PartsModified 1); Analyze.
  void Finish();

  int16_t TrialCount() const { return trialCount_; }
  float BestError() const { return bestError_; }

 private:
  void KeepAsBest();

  DesignRecord& record_;
  Random& random_;
  int16_t trialCount_ = 0;
  float bestError_ = 0;
};

}  // namespace kestro
