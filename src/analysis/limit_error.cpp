// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/limit_error.h"

#include <algorithm>
#include <cmath>

namespace kestro {
namespace {

constexpr int kGainSet = 1;  // the gain plot's limit set, the only one in use

// Violation (dB) of limit j by one gain value; 0 when the gain keeps to the limit.
float Violation(const DesignRecord& record, int j, float gain) {
  const float shape = record.LimitShape[j][kGainSet];
  if (shape == 1.0f && gain < record.LimitTop[j][kGainSet]) {
    return std::fabs(record.LimitTop[j][kGainSet] - gain);
  }
  if ((shape == 2.0f || shape == 4.0f) && gain > record.LimitBottom[j][kGainSet]) {
    return std::fabs(gain - record.LimitBottom[j][kGainSet]);
  }
  return 0.0f;
}

}  // namespace

float ComputeLimitError(const DesignRecord& record) {
  const int points = std::clamp<int>(record.Nints, 0, kMaxNints);
  const int limits = std::clamp<int>(record.NrLimits[kGainSet], 0, kMaxLimit);
  float error = 0.0f;
  for (int i = 0; i <= points; ++i) {
    const float f = record.Freq[i];
    for (int j = 1; j <= limits; ++j) {
      if (record.LimitStart[j][kGainSet] < f && f < record.LimitStop[j][kGainSet]) {
        error += Violation(record, j, record.Gain[i]);
      }
    }
  }
  return error;
}

}  // namespace kestro
