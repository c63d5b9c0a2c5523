// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a transient data file: a curve that is drawn is complete, bounded and odd about
// half a period.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/waveform_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  kestro::DegreeWave wave;
  if (!kestro::ReadWaveformText(std::string_view(reinterpret_cast<const char*>(data), size), wave))
    return 0;
  for (int t = -36; t <= 360; ++t)
    FUZZ_CHECK(std::fabs(wave[t]) <= 1e10f);
  for (int t = 0; t <= 180; ++t)
    FUZZ_CHECK(wave[t + 180] == -wave[t]);
  return 0;
}
