// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analysis_point.h"

#include <algorithm>
#include <cmath>

namespace kestro {

int AnalysisPointAt(double share, int last) {
  const double point = std::floor(share * (last + 1));
  if (!(point > 0))
    return 0;
  return point < last ? static_cast<int>(point) : last;
}

float AnalysisFrequencyNear(const DesignRecord& record, float freq) {
  const double low = std::log(static_cast<double>(record.Fstart));
  const double span = std::log(static_cast<double>(record.Fstop)) - low;
  const double share = (std::log(static_cast<double>(freq)) - low) / span;
  const int last = std::clamp<int>(record.Nints, 0, kMaxNints);
  return record.Freq[static_cast<std::size_t>(AnalysisPointAt(share, last))];
}

}  // namespace kestro
