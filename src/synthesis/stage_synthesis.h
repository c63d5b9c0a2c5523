#pragma once

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro {

// Sallen-Key cascade synthesis, run in this order after the poles are known:
// CountStages, ChooseRnom, AssignResistors, ComputeFamilyPoles, ComputeCaps.
void CountStages(DesignRecord& record);
void ChooseRnom(DesignRecord& record);
void AssignResistors(DesignRecord& record);
// Solves every stage's capacitors. Returns false after reporting
// "We have an error in the ComputeCaps routine" through the dialogs.
bool ComputeCaps(DesignRecord& record, Dialogs& dialogs);

// The whole synthesis sequence above for a family design.
bool SynthesizeFamilyDesign(DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro
