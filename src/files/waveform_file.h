// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/degree_wave.h"
#include "files/file_failure.h"

namespace kestro {

// The transient data file "KESTRO.TRAN" in the working directory: the computed wave for
// t = 0..180, one value per line.

std::string WaveformFileName();

// The 181 lines of the file, each value as FormatNum writes it with ".".
std::vector<std::string> WaveformLines(const DegreeWave& wave);

// Writes the file (into folder, "out/", when it is not empty); returns the failure message when
// it cannot be written.
FileFailure SaveWaveform(const DegreeWave& wave, const std::string& folder = {});

// Reads the file into saved for t = 0..180 (blank lines skipped) and completes it for
// t = -36..360 as the computed wave is. A file that ends one value short repeats its last value;
// a missing or shorter file ends the read silently. Returns true when the curve is to be drawn.
bool GetWaveform(DegreeWave& saved);
// The same reading of the file's bytes already in memory.
bool ReadWaveformText(std::string_view bytes, DegreeWave& saved);

}  // namespace kestro
