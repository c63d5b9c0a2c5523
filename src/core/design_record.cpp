// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/design_record.h"

#include <algorithm>
#include <cmath>

namespace kestro {

void DesignRecord::SetOpeningDefaults() {
  Family = kButterworth;
  Apass = 1.0f;
  Order = 3;
  Bandwidth = 3000;
  Fstart = 1000;
  Fstop = 10000;
  Nints = 512;
  dBtop = 10;
  dBbottom = -50;
  NrYintervals = 6;
  DelayTop = 0.0012f;
  // The ideal follower: a file without an op-amp reads as one.
  OpampGbw = 0;
  OpampSlewRate = 0;
  OpampAmplitude = 1.0f;
  OpampOn = 0;
}

float StagesForOrder(int16_t order) {
  const float half = static_cast<float>(order) / 2.0f;
  return (order % 2 == 0) ? half : half - 0.5f;
}

int StageCount(const DesignRecord& record) {
  const long stages = std::lrint(record.NrStages);
  return static_cast<int>(std::clamp<long>(stages, 0, kMaxStage));
}

}  // namespace kestro
