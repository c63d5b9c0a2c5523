// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// Frequency response of the stage cascade. Every stage is the three-pole unity-gain Sallen-Key
// network (R1, C1 to ground; R2, C2 to the output; R3, C3 to ground; a unity-gain follower,
// K = 1); a two-pole stage has R1 = 0, and a C1 of 0 or less is open. With OpampOn and a finite
// positive OpampGbw every follower is a single-pole op-amp A(s) = 2 pi OpampGbw / s instead.
// For any finite positive parts gain, phase and delay are finite singles.

// Gain (dB) and phase (degrees, wrapped into [-180, 180]) of the whole cascade at f Hz.
// Sets Omega and NrStages and resets R4 = 1e-5, R5 = 1 in every evaluated stage (the values the
// record carries; the follower's gain does not depend on them).
void ResponseAt(DesignRecord& record, float f, float& gain, float& phase);

// The group delay (s) of the whole cascade at f Hz, as Analyze fills Delay. Sets Omega, NrStages,
// R4 and R5 as ResponseAt does.
float GroupDelayAt(DesignRecord& record, float f);

// The number of analysis intervals Analyze uses: Nints clamped to the response arrays
// (at most kMaxNints), or 0 when Nints, Fstart or Fstop cannot be analysed (Nints <= 0, a
// frequency that is not a finite positive number, Fstop not above Fstart). Readers of the
// response arrays loop over points 0..AnalysisIntervals(record).
int AnalysisIntervals(const DesignRecord& record);

// Sets FreqAxisMode = 2 and fills Freq, Gain, Phase and Delay for points 0..Nints, the
// frequencies logarithmically spaced from Fstart to Fstop. The delay is the group delay
// -d(phase)/d(omega) in seconds, exact at every point (from the stage polynomials, not from
// neighbouring phases). When AnalysisIntervals is 0 the response arrays are left untouched.
void Analyze(DesignRecord& record);

// Fills GridFreq and NrGridFreqs (-1 for none): 1, 1.5, 2, 3, ... 9 times each power of ten
// from 0.001 Hz, kept when between Fstart and Fstop * 1.0001.
void ComputeGridFreqs(DesignRecord& record);

}  // namespace kestro
