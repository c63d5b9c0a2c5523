// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// Which analysis point a place on the logarithmic frequency axis picks. The axis is cut into
// last + 1 equal strips, one per point; a place picks the point of its strip, so a click on the
// plot and a frequency typed on the command line land on the same point.

// The point at share of the axis (0 at Fstart, 1 at Fstop): Int(share * (last + 1)), held
// within 0..last.
int AnalysisPointAt(double share, int last);

// The analysis frequency a frequency picks on the record's sweep (Fstart, Fstop, Nints and the
// analysed Freq array).
float AnalysisFrequencyNear(const DesignRecord& record, float freq);

}  // namespace kestro
