#pragma once

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro {

// The record end of the Design command, after the fields have been read and repaired: raise
// every capacitor below 1e-13 to that floor, synthesise a family design whose parts are not the
// user's, then analyse.
void FinishDesignCommand(DesignRecord& record, Dialogs& dialogs);

}  // namespace kestro
