// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_csv.h"
#include "core/exact_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace kestro::cli {

namespace {

void WriteRow(std::initializer_list<float> values, std::ostream& out) {
  const char* separator = "";
  for (const float value : values) {
    out << separator << ExactText(value);
    separator = ",";
  }
  out << '\n';
}

void WriteEnvelope(const MonteCarloResult& result, std::ostream& out) {
  out << "f_hz,gain_min_db,gain_max_db,delay_min_s,delay_max_s\n";
  for (std::size_t i = 0; i < result.freq.size(); ++i) {
    WriteRow({result.freq[i], result.gainMin[i], result.gainMax[i], result.delayMin[i],
              result.delayMax[i]},
             out);
  }
}

}  // namespace

void WriteDesignCsv(const DesignRecord& record, const DesignResults& results, std::ostream& out) {
  if (results.monteCarlo) {
    WriteEnvelope(*results.monteCarlo, out);
    return;
  }
  out << "f_hz,gain_db,phase_deg,delay_s\n";
  const int last = std::clamp<int>(record.Nints, -1, kMaxNints);
  for (std::size_t i = 0; static_cast<int>(i) <= last; ++i)
    WriteRow({record.Freq[i], record.Gain[i], record.Phase[i], record.Delay[i]}, out);
}

}  // namespace kestro::cli
