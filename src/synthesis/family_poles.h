#pragma once

#include "core/design_record.h"

namespace kestro {

// Normalised lowpass prototype poles of the record's family, order and ripple, stored in
// PoleRe/PoleIm in the slot layout the stage synthesis expects. Manual designs are left alone.
void ComputeFamilyPoles(DesignRecord& record);

}  // namespace kestro
