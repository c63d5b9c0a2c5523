// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"
#include "files/file_failure.h"

namespace kestro {

// The filter as a SPICE netlist that ngspice runs as it stands: an AC source of 1 V at node
// "in", the parts of every stage with their exact values, one op-amp per stage wired as a
// follower, the output at node "out", an AC sweep over the analysis range and a print of
// vdb(out) and vp(out). The parts present are those the analysis evaluates: R1 (and C1, when
// positive) only where R1 is positive. The op-amp is the single-pole model A(s) = 2 pi GBW / s
// of the analysis when OpampOn is set and OpampGbw is a finite positive number, otherwise an
// ideal amplifier of gain 1e7.
std::vector<std::string> NetlistLines(const DesignRecord& record);

// Writes NetlistLines to fileName through the atomic writer; the failure message otherwise.
FileFailure WriteNetlist(const DesignRecord& record, const std::string& fileName);

}  // namespace kestro
