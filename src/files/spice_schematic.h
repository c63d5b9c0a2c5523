// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"
#include "files/file_failure.h"

namespace kestro {

// LTspice schematic (".ASC") of the filter: an AC source, every resistor and capacitor of every
// stage with its name and value, one op-amp follower per stage, ground and output flags, the
// op-amp model include and an AC directive from Fstart to Fstop. Coordinates are LTspice grid
// units: the signal runs along y = 0, the ground rail along y = 208, the feedback along y = 272.

// Writes the schematic; returns the failure message when it cannot be written.
FileFailure WriteSpiceSchematic(const DesignRecord& record, const std::string& fileName);

// The lines of the schematic, without line ends.
std::vector<std::string> SpiceSchematicLines(const DesignRecord& record);

}  // namespace kestro
