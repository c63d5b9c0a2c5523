// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/design_record.h"
#include "files/file_failure.h"

namespace kestro {

// Tabulated-data files (".DAT"): the response arrays Freq, Gain, Phase and Delay, points
// 0..Nints, one left-aligned row per point, as they stand (the writers do not analyse).

// Easy format: values with engineering prefixes and "." whatever the locale, each field at least
// 10 characters wide.
// Returns the failure message when the file cannot be created or written.
FileFailure WriteTabulatedEasy(const DesignRecord& record, const std::string& fileName);

// Scientific format: plain decimal values, each field at least 14 characters wide.
FileFailure WriteTabulatedSci(const DesignRecord& record, const std::string& fileName);

// The lines of either file, without line ends.
std::vector<std::string> TabulatedEasyLines(const DesignRecord& record);
std::vector<std::string> TabulatedSciLines(const DesignRecord& record);

}  // namespace kestro
