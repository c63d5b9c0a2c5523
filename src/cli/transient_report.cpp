// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/transient_report.h"

#include <string>

#include "core/eng_value.h"

namespace kestro::cli {

void WriteTransientReport(DesignRecord& record, const TransientState& state, std::ostream& out) {
  out << "Square wave: " << Trimmed(FormatFreq(state.SquareFreq)) << '\n';
  for (const TransientComponent& c : TransientComponents(record, state)) {
    if (c.harmonic == 1) {
      out << "Fundamental:";
    } else {
      out << "Harmonic: " << c.harmonic;
    }
    out << " Freq: " << Trimmed(FormatFreq(c.frequency)) << " dB: " << Trimmed(FormatNum(c.gainDb))
        << '\n';
  }
  out << "WavePeak: " << Trimmed(FormatNum(state.WavePeak)) << '\n';
}

}  // namespace kestro::cli
