// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"

namespace kestro {

// How much one part moves the gain: the largest change (dB, not negative) over the analysed
// points where the gain is above -40 dB, for a +1 % change of the part alone.
struct PartSensitivity {
  int stage = 0;
  std::string part;  // "R1".."R3", "C1".."C3"
  double maxChangeDb = 0;
};

// Every part of stages 1..NrStages that is present (R1 and C1 only where R1 is not 0), ranked
// with the largest change first (ties in stage and part order). Analyses copies of the record
// over its own Fstart, Fstop and Nints (and op-amp); the record is not changed. Empty when the
// settings give no sweep.
std::vector<PartSensitivity> RankPartSensitivities(const DesignRecord& record);

}  // namespace kestro
