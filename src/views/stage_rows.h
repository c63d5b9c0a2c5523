// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "analysis/build_warnings.h"
#include "analysis/part_sensitivity.h"
#include "analysis/stage_figures.h"

namespace kestro {

// The rows of the stage page's lists, in fixed-pitch columns under their headings.

// "Stage:", "Kind:", "Real pole:", "f0 (Hz):", "Q:", "GBW needed:", "Margin:".
std::string StageHeading();
// One row per stage; the real pole only for the three-pole stage, the margin only with a GBW.
std::vector<std::string> StageRows(const std::vector<StageFigures>& figures);

std::string SensitivityHeading();
// Largest change first, as ranked: stage, part and the gain change in dB.
std::vector<std::string> SensitivityRows(const std::vector<PartSensitivity>& ranked);

// The warnings' own texts, or one row saying that everything can be built as drawn.
std::vector<std::string> WarningRows(const std::vector<BuildWarning>& warnings);

}  // namespace kestro
