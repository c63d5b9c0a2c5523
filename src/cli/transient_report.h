// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "analysis/transient.h"
#include "core/design_record.h"

namespace kestro::cli {

// The square-wave lines of the transient page: the frequency, the first nine components with
// their frequency and the filter gain there, and WavePeak, the largest output before
// normalisation:
//   Square wave: 300Hz
//   Fundamental: Freq: 300Hz dB: -0.0031
//   Harmonic: 3 Freq: 900Hz dB: -0.9061
//   ...
//   WavePeak: 1.1637
void WriteTransientReport(DesignRecord& record, const TransientState& state, std::ostream& out);

}  // namespace kestro::cli
