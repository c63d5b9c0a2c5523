// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "platform/event_pump.h"

namespace kestro {

// The record steps of a Monte Carlo tolerance analysis, shared by the analysis page and the
// command line. The nominal parts are kept in Rsaved/Csaved for stages 1..Order (the order, not
// the number of stages) while the passes draw toleranced copies of them.

// Rsaved/Csaved = R/C for stages 1..Order.
void SaveNominalParts(DesignRecord& record);

// One pass: every part of stages 1..Order, in the order R1, R2, R3, C1, C2, C3, each with its own
// draw r, becomes saved x (1 + (r - 0.5) x tolerance), in double and stored as single; tolerance is
// the full relative width (0.1 spreads each part over +-5 %). A part of 0 stays 0. Then Analyze.
void DrawTolerancedParts(DesignRecord& record, float tolerance, Random& random);

// R/C = Rsaved/Csaved for stages 1..Order.
void RestoreNominalParts(DesignRecord& record);

}  // namespace kestro
