// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// Largest order whose stages fit the stage arrays (one three-pole stage and ten two-pole stages).
// The design page allows at most 11; an order read from a file may be anything.
constexpr int kMaxDesignOrder = 2 * kMaxStage + 1;

// Normalised lowpass prototype poles of the record's family, order and ripple, stored in
// PoleRe/PoleIm in the slot layout the stage synthesis expects:
//   even order: pair j = -PoleRe[j] +/- j*PoleIm[j], j = 1..n/2;
//   odd order:  real pole -PoleRe[1] (PoleIm[0] = 0), pair j = -PoleRe[j+1] +/- j*PoleIm[j].
// Butterworth has its 3 dB point at 1 rad/s, Chebyshev its ripple-band edge, Bessel a group delay
// of 1 s at zero frequency. Slots 0..Order are cleared first; an order outside
// 1..kMaxDesignOrder leaves every slot zero. Manual designs (family 4 or any unknown code) return
// at once without touching the arrays. Sets record.Pi.
void ComputeFamilyPoles(DesignRecord& record);

}  // namespace kestro
