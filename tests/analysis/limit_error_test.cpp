// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/limit_error.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

// A response written by hand: 10 Hz .. 100 kHz by decades at 0, 0, -3, -40, -80 dB, and each
// limit's error summed by hand over the points strictly inside its band.
TEST(ComputeLimitError, SumsViolationsInsideEachBand) {
  const struct {
    const char* what;
    float shape, start, stop, top, bottom, error;
  } cases[] = {
      {"floor 0.5 dB to 5 kHz: 0.5 + 0.5 + 3.5", 1, 0.01f, 5000, 0.5f, -300, 4.5f},
      {"floor ending at 1 kHz leaves it out", 1, 0.01f, 1000, 0.5f, -300, 1.0f},
      {"floor touched at 0 dB", 1, 0.01f, 200, 0, -300, 0},
      {"ceiling -40 dB from 500 Hz: 37, touched at 10 kHz", 2, 500, 1e10f, 100, -40, 37},
      {"ceiling -0.25 dB from DC to 50 Hz", 4, 0.01f, 50, 100, -0.25f, 0.25f},
      {"shape 3", 3, 0.01f, 1e10f, 100, -300, 0},
  };
  for (const auto& c : cases) {
    DesignRecord r;
    r.Nints = 4;
    const float freq[] = {10, 100, 1000, 10000, 100000}, gain[] = {0, 0, -3, -40, -80};
    for (int i = 0; i < 5; ++i)
      r.Freq[i] = freq[i], r.Gain[i] = gain[i];
    r.NrLimits[1] = 1;
    r.LimitShape[1][1] = c.shape, r.LimitStart[1][1] = c.start, r.LimitStop[1][1] = c.stop;
    r.LimitTop[1][1] = c.top, r.LimitBottom[1][1] = c.bottom;
    EXPECT_FLOAT_EQ(ComputeLimitError(r), c.error) << c.what;
    r.NrLimits[1] = 0;
    EXPECT_EQ(ComputeLimitError(r), 0) << c.what;
    r.NrLimits[1] = 900, r.Nints = 30000;  // damaged counts read no further than the arrays
    EXPECT_FLOAT_EQ(ComputeLimitError(r), c.error) << c.what;
  }
}

}  // namespace
}  // namespace kestro
