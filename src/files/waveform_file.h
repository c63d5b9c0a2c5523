#pragma once

#include <string>
#include <vector>

#include "analysis/transient.h"
#include "platform/dialogs.h"

namespace kestro {

// The transient data file "KESTRO.TRAN" in the working directory: TransientWave for
// t = 0..180, one value per line.

std::string WaveformFileName();

// The 181 lines of the file, each value as FormatNum writes it.
std::vector<std::string> WaveformLines(const TransientState& state);

// Writes the file; returns false after a beep and a message when it cannot be written.
bool SaveWaveform(const TransientState& state, Dialogs& dialogs);

// Reads the file into SavedWave for t = 0..180 (blank lines skipped) and completes it for
// t = -36..360 as the computed wave is. A file that ends one value short repeats its last value;
// a missing or shorter file ends the read silently. Returns true when the curve is to be drawn.
bool GetWaveform(TransientState& state);

}  // namespace kestro
