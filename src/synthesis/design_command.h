#pragma once

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro {

// The record end of the Design command, after the page has read and repaired its fields: raise
// every capacitor of stages 0..11 below 1e-13 to that floor, set FreqAxisMode = 2, synthesise a
// family design (Family 1..3) whose parts are not the user's (PartsModified != 1), then Analyze.
// A failed synthesis has already shown its message; the analysis still runs.
void FinishDesignCommand(DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro
