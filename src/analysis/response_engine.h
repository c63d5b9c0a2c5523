#pragma once

#include "core/design_record.h"

namespace kestro {

// Gain (dB) and phase (degrees, wrapped into [-180, 180]) of the whole cascade at f Hz.
// Sets Omega and NrStages and forces R4 = 1e-5, R5 = 1 in every evaluated stage.
void ResponseAt(DesignRecord& record, float f, float& gain, float& phase);

// Fills Freq, Gain, Phase and Delay for points 0..Nints.
void Analyze(DesignRecord& record);

// Fills GridFreq and NrGridFreqs: 1, 1.5, 2, 3, ... 9 times each power of ten in range.
void ComputeGridFreqs(DesignRecord& record);

}  // namespace kestro
