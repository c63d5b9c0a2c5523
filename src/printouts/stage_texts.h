// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "analysis/build_warnings.h"
#include "analysis/stage_figures.h"

namespace kestro {

// The texts of the stage table, field by field, shared by the stage page and the summary sheet.

// "Stage:", "Kind:", "Real pole:", "f0 (Hz):", "Q:", "GBW needed:", "Margin:".
std::vector<std::string> StageHeadingFields();
// The seven fields of a stage; the real pole only for the three-pole stage, the margin only with
// a GBW (empty fields otherwise).
std::vector<std::string> StageFields(const StageFigures& stage);

// The warnings' own texts, or one line saying that everything can be built as drawn.
std::vector<std::string> WarningTexts(const std::vector<BuildWarning>& warnings);

}  // namespace kestro
