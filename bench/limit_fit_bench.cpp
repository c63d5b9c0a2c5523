// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "usecase/limit_fit.h"

namespace kestro {
namespace {

// A -1 dB floor up to fp and a -A dB ceiling from fs, analysed over 513 points from fp/10 to
// 10 fs.
DesignRecord Mask(float fp, float fs, float a) {
  DesignRecord record;
  record.SetOpeningDefaults();
  record.Fstart = fp / 10, record.Fstop = fs * 10, record.Nints = 512;
  record.NrLimits[1] = 2;
  record.LimitShape[1][1] = 1, record.LimitStart[1][1] = 0.01f, record.LimitStop[1][1] = fp;
  record.LimitTop[1][1] = -1, record.LimitBottom[1][1] = -300;
  record.LimitShape[2][1] = 2, record.LimitStart[2][1] = fs, record.LimitStop[2][1] = 1e10f;
  record.LimitTop[2][1] = 100, record.LimitBottom[2][1] = -a;
  return record;
}

// "Fit to limits" for all three families: the goal is at most 0.2 s for the whole search.
void BM_FitToLimits(benchmark::State& state, float fp, float fs, float a) {
  const DesignRecord mask = Mask(fp, fs, a);
  for (auto _ : state)
    benchmark::DoNotOptimize(FitToLimits(mask));
}
// Butterworth 8, Chebyshev 5, no Bessel order.
BENCHMARK_CAPTURE(BM_FitToLimits, Typical, 1000.0f, 2000.0f, 40.0f)->Unit(benchmark::kMillisecond);
// Only Chebyshev 6 fits; Butterworth and Bessel try every order.
BENCHMARK_CAPTURE(BM_FitToLimits, OneFamilyFits, 1000.0f, 1400.0f, 30.0f)
    ->Unit(benchmark::kMillisecond);
// No family fits: every order of every family is searched.
BENCHMARK_CAPTURE(BM_FitToLimits, NothingFits, 1000.0f, 1100.0f, 80.0f)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro
