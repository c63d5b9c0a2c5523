// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro {

// The message shown when the capacitors cannot be solved.
inline constexpr std::string_view kComputeCapsError = "We have an error in the ComputeCaps routine";

// The synthesis sequence of a family design (CountStages .. ComputeCaps); a failure is shown as
// "We have an error in the ComputeCaps routine". Returns whether the capacitors were solved.
bool SynthesizeOrReport(DesignRecord& record, Dialogs& dialogs);

// A family design whose capacitors come from the series of StandardCaps (E6, E12, E24): a
// failed synthesis shows "We have an error in the ComputeCaps routine", and a stage that keeps
// its computed capacitors is named in a message. Returns whether the synthesis succeeded.
bool SynthesizeWithStandardCapsOrReport(DesignRecord& record, Dialogs& dialogs);

// The record end of the Design command, after the page has read and repaired its fields: raise
// every capacitor of stages 0..11 below 1e-13 to that floor, set FreqAxisMode = 2, synthesise a
// family design (Family 1..3) whose parts are not the user's (PartsModified != 1), with standard
// capacitors when StandardCaps names a series, then Analyze. A failed synthesis shows its
// message and the analysis still runs; returns false then.
bool FinishDesignCommand(DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro
