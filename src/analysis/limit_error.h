// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"

namespace kestro {

// LimitError of the analysed response: the sum, in dB, of how far the gain of every analysis
// point 0..Nints lies on the wrong side of every gain limit of set 1 whose band holds the point
// strictly (LimitStart < Freq < LimitStop). A floor (shape 1) is violated by a gain below its
// LimitTop, a ceiling (shapes 2 and 4) by a gain above its LimitBottom; other shapes add nothing,
// and a gain exactly on a limit adds nothing. Summed in single precision, so the error grows with
// the number of points inside each band. Counts read from a file are held within the arrays.
float ComputeLimitError(const DesignRecord& record);

}  // namespace kestro
